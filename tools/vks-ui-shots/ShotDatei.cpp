#include "tools/vks-ui-shots/ShotDatei.h"

#include <QApplication>
#include <QDir>
#include <QWidget>
#include <iostream>

namespace vks {

bool SpeichereBild(const QImage& bild, const QString& ordner, const char* name) {
  const QString pfad = QDir(ordner).filePath(QString::fromUtf8(name) + ".png");
  const bool ok = !bild.isNull() && bild.save(pfad, "PNG");
  std::cout << (ok ? "" : "FEHLER: ") << pfad.toStdString() << "\n";
  return ok;
}

bool Speichere(QWidget* fenster, const QString& ordner, const char* name) {
  fenster->show();
  QApplication::processEvents();
  const bool ok = SpeichereBild(fenster->grab().toImage(), ordner, name);
  fenster->hide();
  return ok;
}

}  // namespace vks
