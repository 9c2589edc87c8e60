#include "adapters/qt/SortierKopf.h"

#include <QHeaderView>

namespace vks {

SortierKopf::SortierKopf(QTreeWidget* liste, SortierRoutinen& routinen, AutomationLocale locale)
    : QObject(liste), liste_(liste), routinen_(routinen), locale_(std::move(locale)) {
  liste_->header()->setSectionsClickable(true);
  connect(liste_->header(), &QHeaderView::sectionClicked, this, &SortierKopf::SpalteGeklickt);
}

void SortierKopf::SpalteGeklickt(int spalte) {
  if (spalte < 0 || spalte >= liste_->columnCount()) return;
  std::string tag = liste_->headerItem()->data(spalte, kSpaltenTagRolle).toString().toStdString();
  std::optional<SortierAuftrag> auftrag =
      routinen_.SpaltenKlick(sortierung_, tag, static_cast<int16_t>(spalte));
  if (!auftrag) return;
  Qt::SortOrder order = auftrag->absteigend ? Qt::DescendingOrder : Qt::AscendingOrder;
  liste_->header()->setSortIndicatorShown(true);
  liste_->header()->setSortIndicator(spalte, order);
  Ordne(*auftrag);
  ZeigeAuswahl();
}

void SortierKopf::Nachsortieren() {
  if (!sortierung_.Sorted) return;
  Ordne({SortArt::Text, sortierung_.SortKey, sortierung_.SortOrder == 1});
}

void SortierKopf::Ordne(const SortierAuftrag& auftrag) {
  std::vector<std::string> zellen;
  for (int i = 0; i < liste_->topLevelItemCount(); ++i) {
    zellen.push_back(liste_->topLevelItem(i)->text(auftrag.spalte).toStdString());
  }
  std::vector<size_t> reihenfolge =
      SortierteReihenfolge(zellen, auftrag.art, auftrag.absteigend, locale_);

  // Taking the rows out loses their selection; it is put back after they are re-inserted.
  QTreeWidgetItem* aktuell = liste_->currentItem();
  QList<QTreeWidgetItem*> ausgewaehlt = liste_->selectedItems();
  QList<QTreeWidgetItem*> zeilen;
  while (liste_->topLevelItemCount() > 0) zeilen.push_back(liste_->takeTopLevelItem(0));
  for (size_t index : reihenfolge) liste_->addTopLevelItem(zeilen[static_cast<qsizetype>(index)]);
  if (aktuell) liste_->setCurrentItem(aktuell, 0, QItemSelectionModel::NoUpdate);
  for (QTreeWidgetItem* zeile : ausgewaehlt) zeile->setSelected(true);
}

void SortierKopf::ZeigeAuswahl() {
  QList<QTreeWidgetItem*> ausgewaehlt = liste_->selectedItems();
  if (!ausgewaehlt.isEmpty()) liste_->scrollToItem(ausgewaehlt.front());
}

void SetzeSpaltenTag(QTreeWidget* liste, int spalte, const QString& tag) {
  liste->headerItem()->setData(spalte, kSpaltenTagRolle, tag);
}

}  // namespace vks
