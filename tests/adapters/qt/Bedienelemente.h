#pragma once
// What a screen reader finds in a window: the controls (every widget that takes the focus itself)
// whose accessible name (their own, their text, or a label's for them) holds no letter.
#include <QAccessible>
#include <QWidget>
#include <algorithm>
#include <string>

namespace vks::testing {

// Each nameless control as class, object name and parent class; empty when all have names.
inline std::string NamenloseBedienelemente(QWidget* fenster) {
  std::string namenlos;
  for (QWidget* w : fenster->findChildren<QWidget*>()) {
    // Qt's own parts of a control (a spin box's line edit, a scroll area's viewport) and a control
    // that hands its focus on speak through the control.
    if (w->focusPolicy() == Qt::NoFocus || w->window() != fenster || w->focusProxy() ||
        w->objectName().startsWith(QStringLiteral("qt_")))
      continue;
    QAccessibleInterface* zugang = QAccessible::queryAccessibleInterface(w);
    const QString name = zugang ? zugang->text(QAccessible::Name) : QString();
    if (std::any_of(name.begin(), name.end(), [](QChar c) { return c.isLetter(); })) continue;
    namenlos += std::string(namenlos.empty() ? "" : ", ") + w->metaObject()->className() + " '" +
                w->objectName().toStdString() + "' in " +
                (w->parentWidget() ? w->parentWidget()->metaObject()->className() : "-");
  }
  return namenlos;
}

}  // namespace vks::testing
