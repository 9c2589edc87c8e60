#pragma once
// Window layouts kept in the per-user settings: position, size and state restored when a window
// loads and stored when it unloads, and the minimum size of a resizable window. Everything is in
// twips relative to the screen; the window behind LayoutFenster converts to its pixels.
#include <cstdint>
#include <string>

#include "platform/automation/AutomationLocale.h"
#include "platform/settings/SettingsStore.h"

namespace vks {

inline constexpr const char* kLayoutAnwendung = "Tradomir";
inline constexpr double kTwipsProZoll = 1440;

// 0 normal, 1 minimized, 2 maximized.
enum class Fensterzustand : int32_t { Normal = 0, Minimiert = 1, Maximiert = 2 };

struct FensterRechteck {
  double Links = 0, Oben = 0, Breite = 0, Hoehe = 0;  // twips, outer edges
  friend bool operator==(const FensterRechteck&, const FensterRechteck&) = default;
};

// A window as the layout operations see it.
class LayoutFenster {
 public:
  virtual ~LayoutFenster() = default;
  virtual FensterRechteck Rechteck() const = 0;
  virtual void SetzeRechteck(const FensterRechteck& rechteck) = 0;
  virtual Fensterzustand Zustand() const = 0;
  virtual void SetzeZustand(Fensterzustand zustand) = 0;
  // The screen the window is on, in twips, and its twips per pixel.
  virtual double BildschirmBreite() const = 0;
  virtual double BildschirmHoehe() const = 0;
  virtual double TwipsProPixelX() const = 0;
  virtual double TwipsProPixelY() const = 0;
};

// Centres the window with its current (design) size, then applies the stored edges, size and
// state; a missing entry keeps the centred value, an unreadable one skips that step. Edges beyond
// 0.9 of the screen are pulled back to it.
void LadeFensterLayout(LayoutFenster& fenster, SettingsStore& settings,
                       const std::string& LayoutName, const AutomationLocale& locale);
// Stores edges and size only in the normal state, so a maximized window keeps its last normal
// place; the state always.
void SpeichereFensterLayout(const LayoutFenster& fenster, SettingsStore& settings,
                            const std::string& LayoutName, const AutomationLocale& locale);
// Raises each dimension below the minimum (given in pixels) to it.
void SetzeMindestGroesse(LayoutFenster& fenster, int32_t MinBreite, int32_t MinHoehe);

}  // namespace vks
