#include "adapters/qt/Oberflaeche.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace vks {

Sprache WaehleSprache(const QStringList& ui_languages) {
  for (const QString& name : ui_languages) {
    const QLocale::Language sprache = QLocale(name).language();
    if (sprache == QLocale::German) return Sprache::kDeutsch;
    if (sprache == QLocale::English) return Sprache::kEnglisch;
  }
  return Sprache::kDeutsch;
}

Sprache RichteOberflaecheEin(QApplication& app) {
  QGuiApplication::setDesktopFileName(QString::fromUtf8(kDesktopId));
  // The installed theme's icon where there is one, else the copy built into the program.
  QApplication::setWindowIcon(QIcon::fromTheme(
      QString::fromUtf8(kDesktopId),
      QIcon(QStringLiteral(":/symbol/%1.svg").arg(QString::fromUtf8(kDesktopId)))));

  const Sprache sprache = WaehleSprache(QLocale::system().uiLanguages());
  // Our own texts need a translator in English only; Qt's own need one in German only.
  auto* uebersetzer = new QTranslator(&app);
  const bool geladen = sprache == Sprache::kEnglisch
                           ? uebersetzer->load(QStringLiteral(":/uebersetzungen/vks_en.qm"))
                           : uebersetzer->load(QStringLiteral("qtbase_de"),
                                               QLibraryInfo::path(QLibraryInfo::TranslationsPath));
  if (geladen) {
    QCoreApplication::installTranslator(uebersetzer);
  } else {
    delete uebersetzer;
  }
  return sprache;
}

}  // namespace vks
