#include "adapters/qt/KontenListeModell.h"

#include <algorithm>

#include "platform/automation/KeyedDictionary.h"

namespace vks {

namespace {

constexpr const char* kTitel[KontenListeModell::kSpalten] = {
    QT_TRANSLATE_NOOP("vks::KontenListeModell", "Name"),
    QT_TRANSLATE_NOOP("vks::KontenListeModell", "Datum"),
    QT_TRANSLATE_NOOP("vks::KontenListeModell", "Gesamtwert"),
    QT_TRANSLATE_NOOP("vks::KontenListeModell", "Enter-Orders"),
    QT_TRANSLATE_NOOP("vks::KontenListeModell", "Positionen")};

// Amounts and counts line up on their last digit.
QVariant Ausrichtung(int spalte) {
  return QVariant::fromValue(Qt::AlignVCenter | (spalte >= 2 ? Qt::AlignRight : Qt::AlignLeft));
}

}  // namespace

KontenListeModell::KontenListeModell(AutomationLocale locale, QObject* parent)
    : QAbstractTableModel(parent), locale_(std::move(locale)) {}

int KontenListeModell::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(zeilen_.size());
}

int KontenListeModell::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kSpalten;
}

QVariant KontenListeModell::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  if (role == Qt::TextAlignmentRole) return Ausrichtung(index.column());
  if (role != Qt::DisplayRole) return {};
  const Eintrag& eintrag = zeilen_[static_cast<size_t>(index.row())];
  if (eintrag.alt) {
    eintrag.texte[1] = QString::fromStdString(DatumText(eintrag.zeit, locale_));
    eintrag.texte[2] = QString::fromStdString(GesamtwertText(eintrag.gesamtkapital, locale_));
    eintrag.alt = false;
  }
  return eintrag.texte[index.column()];
}

QVariant KontenListeModell::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= kSpalten) return {};
  if (role == Qt::TextAlignmentRole) return Ausrichtung(section);
  if (role != Qt::DisplayRole) return {};
  return tr(kTitel[section]);
}

void KontenListeModell::TexteSetzen(Eintrag& eintrag, const KontenZeile& zeile) {
  eintrag.key = zeile.key;
  eintrag.name = zeile.name;
  int spalte = 0;
  for (const std::string* text :
       {&zeile.name, &zeile.datum, &zeile.gesamtwert, &zeile.enter_orders, &zeile.positionen})
    eintrag.texte[spalte++] = QString::fromStdString(*text);
  eintrag.alt = eintrag.zahlen = false;
}

int KontenListeModell::Zeile(const std::string& key) const {
  if (!index_aktuell_) {
    index_.clear();
    for (size_t i = 0; i < zeilen_.size(); ++i) index_.emplace(zeilen_[i].key, static_cast<int>(i));
    index_aktuell_ = true;
  }
  auto it = index_.find(key);
  return it == index_.end() ? -1 : it->second;
}

void KontenListeModell::Fuellen(const std::vector<KontenZeile>& zeilen) {
  beginResetModel();
  zeilen_.clear();
  zeilen_.reserve(zeilen.size());
  index_.clear();
  index_.reserve(zeilen.size());
  index_aktuell_ = true;
  for (const KontenZeile& zeile : zeilen) {
    auto [it, neu] = index_.try_emplace(zeile.key, static_cast<int>(zeilen_.size()));
    if (neu) zeilen_.emplace_back();
    TexteSetzen(zeilen_[static_cast<size_t>(it->second)], zeile);
  }
  endResetModel();
}

void KontenListeModell::Setzen(const KontenZeile& zeile) {
  if (const int r = Zeile(zeile.key); r >= 0) {
    TexteSetzen(zeilen_[static_cast<size_t>(r)], zeile);
    emit dataChanged(index(r, 0), index(r, kSpalten - 1));
    return;
  }
  const int neu = rowCount();
  beginInsertRows({}, neu, neu);
  TexteSetzen(zeilen_.emplace_back(), zeile);
  index_.emplace(zeile.key, neu);
  endInsertRows();
}

void KontenListeModell::Umbenennen(const std::string& alter_key, const KontenZeile& zeile) {
  const int r = Zeile(alter_key);
  if (r < 0) return;
  index_.erase(alter_key);
  index_[zeile.key] = r;
  TexteSetzen(zeilen_[static_cast<size_t>(r)], zeile);
  emit dataChanged(index(r, 0), index(r, kSpalten - 1));
}

void KontenListeModell::Entfernen(const std::string& key) {
  const int r = Zeile(key);
  if (r < 0) return;
  beginRemoveRows({}, r, r);
  zeilen_.erase(zeilen_.begin() + r);
  index_aktuell_ = false;
  endRemoveRows();
}

int KontenListeModell::ZeileVon(const Kurswerte& werte) const {
  // The list shows the accounts in collection order, so a row is nearly always at its account's
  // place; a name is in one row only.
  if (werte.position < zeilen_.size() && zeilen_[werte.position].name == werte.name)
    return static_cast<int>(werte.position);
  return Zeile(FoldCase(werte.name));
}

void KontenListeModell::KurswerteSetzen(const std::vector<Kurswerte>& werte) {
  // Per column the first and last row that moved: a time that moves alone repaints no capital.
  int erste[2] = {rowCount(), rowCount()}, letzte[2] = {-1, -1};
  auto merke = [&](int spalte, int zeile) {
    erste[spalte] = std::min(erste[spalte], zeile);
    letzte[spalte] = std::max(letzte[spalte], zeile);
  };
  for (const Kurswerte& w : werte) {
    const int r = ZeileVon(w);
    if (r < 0) continue;
    Eintrag& eintrag = zeilen_[static_cast<size_t>(r)];
    const bool zeit = !eintrag.zahlen || !(eintrag.zeit == w.zeit);
    const bool kapital = !eintrag.zahlen || eintrag.gesamtkapital != w.gesamtkapital;
    if (!zeit && !kapital) continue;
    eintrag.zeit = w.zeit;
    eintrag.gesamtkapital = w.gesamtkapital;
    eintrag.zahlen = eintrag.alt = true;
    if (zeit) merke(0, r);
    if (kapital) merke(1, r);
  }
  for (int i = 0; i < 2; ++i) {
    if (letzte[i] >= 0)
      emit dataChanged(index(erste[i], 1 + i), index(letzte[i], 1 + i), {Qt::DisplayRole});
  }
}

}  // namespace vks
