#pragma once
// What every program that shows our windows sets up once on its QApplication: the windows' icon,
// the desktop entry they belong to, and the language of our texts and of Qt's own (file dialogs,
// context menus, standard buttons). Our texts are written in German; an English translation is
// built in.
#include <QStringList>

class QApplication;

namespace vks {

// The desktop entry's id: its file name, the icon's name in the hicolor theme, the metainfo's id.
inline constexpr const char* kDesktopId = "de.tradomir.VKSKonten";

enum class Sprache { kDeutsch, kEnglisch };

// The first of the user's languages (most wanted first) that we speak; German when none is.
Sprache WaehleSprache(const QStringList& ui_languages);

// Sets icon and desktop file name and installs the translators for the language the user's
// locale (LANGUAGE, LC_ALL, LC_MESSAGES, LANG) asks for. Returns that language. A missing
// translation file of Qt's leaves Qt's texts in English and is no error.
Sprache RichteOberflaecheEin(QApplication& app);

}  // namespace vks
