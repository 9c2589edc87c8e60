#include "adapters/qt/FensterLayout.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <cmath>

namespace vks {

namespace {

// Stored values may be anything a Single holds; a window takes only what fits on a screen.
constexpr double kGroesstePixel = 1 << 20;

int ZuPixel(double twips, double twips_pro_pixel, double kleinste) {
  double pixel = std::round(twips / twips_pro_pixel);
  return static_cast<int>(std::clamp(pixel, kleinste, kGroesstePixel));
}

QScreen* BildschirmVon(const QWidget* fenster) {
  QScreen* screen = fenster->screen();
  return screen ? screen : QGuiApplication::primaryScreen();
}

}  // namespace

QRect QtLayoutFenster::Bildschirm() const {
  QScreen* screen = BildschirmVon(fenster_);
  return screen ? screen->geometry() : QRect(0, 0, 1024, 768);
}

double QtLayoutFenster::TwipsProPixelX() const {
  QScreen* screen = BildschirmVon(fenster_);
  double dpi = screen ? screen->logicalDotsPerInchX() : 96;
  return kTwipsProZoll / (dpi > 0 ? dpi : 96);
}

double QtLayoutFenster::TwipsProPixelY() const {
  QScreen* screen = BildschirmVon(fenster_);
  double dpi = screen ? screen->logicalDotsPerInchY() : 96;
  return kTwipsProZoll / (dpi > 0 ? dpi : 96);
}

double QtLayoutFenster::BildschirmBreite() const {
  return Bildschirm().width() * TwipsProPixelX();
}

double QtLayoutFenster::BildschirmHoehe() const {
  return Bildschirm().height() * TwipsProPixelY();
}

FensterRechteck QtLayoutFenster::Rechteck() const {
  QRect aussen = fenster_->frameGeometry();
  QPoint ursprung = Bildschirm().topLeft();
  double tx = TwipsProPixelX(), ty = TwipsProPixelY();
  return {(aussen.x() - ursprung.x()) * tx, (aussen.y() - ursprung.y()) * ty, aussen.width() * tx,
          aussen.height() * ty};
}

void QtLayoutFenster::SetzeRechteck(const FensterRechteck& rechteck) {
  double tx = TwipsProPixelX(), ty = TwipsProPixelY();
  QPoint ursprung = Bildschirm().topLeft();
  // The frame is what the window manager adds around the client area; before the first show it is
  // not known and counts nothing.
  QSize rahmen = fenster_->frameGeometry().size() - fenster_->geometry().size();
  int breite = ZuPixel(rechteck.Breite, tx, 1) - rahmen.width();
  int hoehe = ZuPixel(rechteck.Hoehe, ty, 1) - rahmen.height();
  fenster_->move(ursprung.x() + ZuPixel(rechteck.Links, tx, -kGroesstePixel),
                 ursprung.y() + ZuPixel(rechteck.Oben, ty, -kGroesstePixel));
  fenster_->resize(std::max(breite, 1), std::max(hoehe, 1));
}

Fensterzustand QtLayoutFenster::Zustand() const {
  Qt::WindowStates zustand = fenster_->windowState();
  if (zustand & Qt::WindowMinimized) return Fensterzustand::Minimiert;
  if (zustand & Qt::WindowMaximized) return Fensterzustand::Maximiert;
  return Fensterzustand::Normal;
}

void QtLayoutFenster::SetzeZustand(Fensterzustand zustand) {
  switch (zustand) {
    case Fensterzustand::Normal:
      fenster_->setWindowState(Qt::WindowNoState);
      break;
    case Fensterzustand::Minimiert:
      fenster_->setWindowState(Qt::WindowMinimized);
      break;
    case Fensterzustand::Maximiert:
      fenster_->setWindowState(Qt::WindowMaximized);
      break;
  }
}

void LadeFensterLayout(QWidget* fenster, SettingsStore& settings, const std::string& LayoutName,
                       const AutomationLocale& locale) {
  QtLayoutFenster layout(fenster);
  LadeFensterLayout(layout, settings, LayoutName, locale);
}

void SpeichereFensterLayout(QWidget* fenster, SettingsStore& settings,
                            const std::string& LayoutName, const AutomationLocale& locale) {
  QtLayoutFenster layout(fenster);
  SpeichereFensterLayout(layout, settings, LayoutName, locale);
}

void SetzeMindestGroesse(QWidget* fenster, int32_t MinBreite, int32_t MinHoehe) {
  QtLayoutFenster layout(fenster);
  SetzeMindestGroesse(layout, MinBreite, MinHoehe);
}

}  // namespace vks
