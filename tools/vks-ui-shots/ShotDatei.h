#pragma once
// Writes one picture of vks-ui-shots as ORDNER/NAME.png and names the file on standard output
// ("FEHLER: " before it when it could not be written).
#include <QImage>
#include <QString>

class QWidget;

namespace vks {

bool SpeichereBild(const QImage& bild, const QString& ordner, const char* name);
// Shows the window, lets it lay out and paint, writes its picture and hides it again.
bool Speichere(QWidget* fenster, const QString& ordner, const char* name);

}  // namespace vks
