#pragma once
// The layout operations applied to a Qt window: its outer edges converted between the screen's
// pixels and twips by the screen's real dots per inch.
#include <QWidget>

#include "presenters/DateiModul.h"

namespace vks {

class QtLayoutFenster : public LayoutFenster {
 public:
  explicit QtLayoutFenster(QWidget* fenster) : fenster_(fenster) {}

  FensterRechteck Rechteck() const override;
  void SetzeRechteck(const FensterRechteck& rechteck) override;
  Fensterzustand Zustand() const override;
  void SetzeZustand(Fensterzustand zustand) override;
  double BildschirmBreite() const override;
  double BildschirmHoehe() const override;
  double TwipsProPixelX() const override;
  double TwipsProPixelY() const override;

 private:
  QRect Bildschirm() const;

  QWidget* fenster_;
};

void LadeFensterLayout(QWidget* fenster, SettingsStore& settings, const std::string& LayoutName,
                       const AutomationLocale& locale);
void SpeichereFensterLayout(QWidget* fenster, SettingsStore& settings,
                            const std::string& LayoutName, const AutomationLocale& locale);
void SetzeMindestGroesse(QWidget* fenster, int32_t MinBreite, int32_t MinHoehe);

}  // namespace vks
