#pragma once
// Attaches list sorting to a QTreeWidget's header clicks. Each column's header tag (the header
// item's data under kSpaltenTagRolle: "0" or empty text, "1" number, "2" date) picks how the column
// sorts; the state machine and the cell values come from SortierRoutinen.
#include <QObject>
#include <QTreeWidget>

#include "presenters/SortierRoutinen.h"

namespace vks {

inline constexpr int kSpaltenTagRolle = Qt::UserRole;

class SortierKopf : public QObject {
  Q_OBJECT
 public:
  // REQUIRES: routinen outlives this object; the object is a child of the list.
  SortierKopf(QTreeWidget* liste, SortierRoutinen& routinen, AutomationLocale locale);

  const ListenSortierung& Sortierung() const { return sortierung_; }
  // What a click on the column's header does.
  void SpalteGeklickt(int spalte);
  // Sorts rows added since by text again while the list keeps itself sorted by text.
  void Nachsortieren();

 private:
  void Ordne(const SortierAuftrag& auftrag);
  void ZeigeAuswahl();

  QTreeWidget* liste_;
  SortierRoutinen& routinen_;
  AutomationLocale locale_;
  ListenSortierung sortierung_;
};

void SetzeSpaltenTag(QTreeWidget* liste, int spalte, const QString& tag);

}  // namespace vks
