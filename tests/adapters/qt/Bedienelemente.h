#pragma once
// What a screen reader finds in a window: the controls (every widget that takes the focus) whose
// accessible name (their own, their text, or a label's for them) holds no letter.
#include <QAccessible>
#include <QStringList>
#include <QWidget>
#include <algorithm>

namespace vks::testing {

inline QStringList NamenloseBedienelemente(QWidget* fenster) {
  QStringList namenlos;
  for (QWidget* w : fenster->findChildren<QWidget*>()) {
    // Qt's own parts of a control (a spin box's line edit, a scroll area's viewport) speak for it.
    if (w->focusPolicy() == Qt::NoFocus || w->window() != fenster ||
        w->objectName().startsWith(QStringLiteral("qt_")))
      continue;
    QAccessibleInterface* zugang = QAccessible::queryAccessibleInterface(w);
    const QString name = zugang ? zugang->text(QAccessible::Name) : QString();
    if (std::none_of(name.begin(), name.end(), [](QChar c) { return c.isLetter(); }))
      namenlos << QString::fromUtf8(w->metaObject()->className()) + ' ' + w->objectName();
  }
  return namenlos;
}

}  // namespace vks::testing
