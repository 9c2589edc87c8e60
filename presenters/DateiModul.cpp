#include "presenters/DateiModul.h"

#include <cmath>
#include <limits>
#include <optional>

#include "platform/automation/VariantConversions.h"
#include "presenters/LokaleZahl.h"

namespace vks {

namespace {

constexpr const char* kLinks = "Links";
constexpr const char* kOben = "Oben";
constexpr const char* kBreite = "Breite";
constexpr const char* kHoehe = "Höhe";
constexpr const char* kWinState = "WinState";

// A stored single-precision value; nothing when the entry is missing, no number or outside what a
// Single holds, so the caller keeps the value it has.
std::optional<double> LeseWert(SettingsStore& settings, const std::string& section, const char* key,
                               const AutomationLocale& locale) {
  std::string text = settings.GetSetting(kLayoutAnwendung, section, key, "");
  if (text.empty()) return std::nullopt;
  std::optional<double> wert = LeseLokaleZahl(text, locale);
  if (!wert || std::fabs(*wert) > std::numeric_limits<float>::max()) return std::nullopt;
  return static_cast<float>(*wert);
}

void SchreibeWert(SettingsStore& settings, const std::string& section, const char* key, double wert,
                  const AutomationLocale& locale) {
  // CStr's form: the locale's decimal separator, no thousands separators.
  (void)settings.SaveSetting(kLayoutAnwendung, section, key,
                             FormatSingle(static_cast<float>(wert), locale));
}

}  // namespace

void LadeFensterLayout(LayoutFenster& fenster, SettingsStore& settings,
                       const std::string& LayoutName, const AutomationLocale& locale) {
  FensterRechteck rechteck = fenster.Rechteck();
  rechteck.Links = (fenster.BildschirmBreite() - rechteck.Breite) / 2;
  rechteck.Oben = (fenster.BildschirmHoehe() - rechteck.Hoehe) / 2;
  fenster.SetzeRechteck(rechteck);

  rechteck.Links = LeseWert(settings, LayoutName, kLinks, locale).value_or(rechteck.Links);
  rechteck.Oben = LeseWert(settings, LayoutName, kOben, locale).value_or(rechteck.Oben);
  // A window has no negative size: such a value is refused like one that is no number.
  for (auto [key, feld] : {std::pair{kBreite, &rechteck.Breite}, {kHoehe, &rechteck.Hoehe}}) {
    std::optional<double> wert = LeseWert(settings, LayoutName, key, locale);
    if (wert && *wert >= 0) *feld = *wert;
  }
  double max_links = 0.9 * fenster.BildschirmBreite();
  double max_oben = 0.9 * fenster.BildschirmHoehe();
  if (rechteck.Links > max_links) rechteck.Links = max_links;
  if (rechteck.Oben > max_oben) rechteck.Oben = max_oben;
  fenster.SetzeRechteck(rechteck);

  std::optional<double> zustand = 0;
  if (!settings.GetSetting(kLayoutAnwendung, LayoutName, kWinState, "").empty()) {
    zustand = LeseWert(settings, LayoutName, kWinState, locale);
  }
  if (zustand && (*zustand == 0 || *zustand == 1 || *zustand == 2)) {
    fenster.SetzeZustand(static_cast<Fensterzustand>(static_cast<int32_t>(*zustand)));
  }
}

void SpeichereFensterLayout(const LayoutFenster& fenster, SettingsStore& settings,
                            const std::string& LayoutName, const AutomationLocale& locale) {
  Fensterzustand zustand = fenster.Zustand();
  if (zustand == Fensterzustand::Normal) {
    FensterRechteck rechteck = fenster.Rechteck();
    SchreibeWert(settings, LayoutName, kLinks, rechteck.Links, locale);
    SchreibeWert(settings, LayoutName, kOben, rechteck.Oben, locale);
    SchreibeWert(settings, LayoutName, kBreite, rechteck.Breite, locale);
    SchreibeWert(settings, LayoutName, kHoehe, rechteck.Hoehe, locale);
  }
  (void)settings.SaveSetting(kLayoutAnwendung, LayoutName, kWinState,
                             std::to_string(static_cast<int32_t>(zustand)));
}

void SetzeMindestGroesse(LayoutFenster& fenster, int32_t MinBreite, int32_t MinHoehe) {
  FensterRechteck rechteck = fenster.Rechteck();
  double min_breite = MinBreite * fenster.TwipsProPixelX();
  double min_hoehe = MinHoehe * fenster.TwipsProPixelY();
  if (rechteck.Breite >= min_breite && rechteck.Hoehe >= min_hoehe) return;
  if (rechteck.Breite < min_breite) rechteck.Breite = min_breite;
  if (rechteck.Hoehe < min_hoehe) rechteck.Hoehe = min_hoehe;
  fenster.SetzeRechteck(rechteck);
}

}  // namespace vks
