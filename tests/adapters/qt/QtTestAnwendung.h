#pragma once
// The one QApplication of a widget test binary, on the offscreen platform so that the tests run
// without a display, set up as the server sets up its own: the language follows the locale.
#include <QApplication>

#include "adapters/qt/Oberflaeche.h"
#include "adapters/qt/SystemLocale.h"

namespace vks::testing {

inline QApplication& QtTestAnwendung() {
  if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance())) return *app;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "vks-ui-test";
  static char* argv[] = {name, nullptr};
  // Never destroyed: tearing the platform down at exit after the tests gains nothing.
  static QApplication* app = new QApplication(argc, argv);
  NeutraleCZahlen();
  RichteOberflaecheEin(*app);
  return *app;
}

// A first base class of widget test fixtures: the application exists before any member widget.
struct AnwendungZuerst {
  AnwendungZuerst() { QtTestAnwendung(); }
};

}  // namespace vks::testing
