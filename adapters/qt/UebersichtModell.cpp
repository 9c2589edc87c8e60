#include "adapters/qt/UebersichtModell.h"

#include <unordered_set>

#include "accounts/clFilledOrder.h"
#include "platform/automation/KeyedDictionary.h"

namespace vks {

namespace {

// The presenter's column titles, listed for the translation.
[[maybe_unused]] constexpr const char* kSpaltenTitel[] = {
    QT_TRANSLATE_NOOP("vks::UebersichtModell", "ID"),
    QT_TRANSLATE_NOOP("vks::UebersichtModell", "Titel"),
    QT_TRANSLATE_NOOP("vks::UebersichtModell", "WKN"),
    QT_TRANSLATE_NOOP("vks::UebersichtModell", "Aktion"),
    QT_TRANSLATE_NOOP("vks::UebersichtModell", "Stückzahl"),
    QT_TRANSLATE_NOOP("vks::UebersichtModell", "Filled"),
    QT_TRANSLATE_NOOP("vks::UebersichtModell", "Position"),
    QT_TRANSLATE_NOOP("vks::UebersichtModell", "Einstiegspreis"),
    QT_TRANSLATE_NOOP("vks::UebersichtModell", "Datum"),
    QT_TRANSLATE_NOOP("vks::UebersichtModell", "Kurs")};

}  // namespace

QString UebersichtModell::Titel(const char* titel) {
  return tr(titel);
}

UebersichtModell::UebersichtModell(UebersichtListe liste, AutomationLocale locale, QObject* parent)
    : QAbstractTableModel(parent), liste_(liste), locale_(std::move(locale)) {}

int UebersichtModell::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(zeilen_.size());
}

int UebersichtModell::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(Spalten(liste_).size());
}

std::string UebersichtModell::Zelle(int zeile, int spalte) const {
  const UebersichtZeile& z = zeilen_[static_cast<size_t>(zeile)];
  if (z.fill && z.spalten.empty()) return FillZelle(*z.fill, spalte, locale_);
  return static_cast<size_t>(spalte) < z.spalten.size() ? z.spalten[static_cast<size_t>(spalte)]
                                                        : std::string();
}

QVariant UebersichtModell::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  if (role == Qt::DisplayRole) return QString::fromStdString(Zelle(index.row(), index.column()));
  if (role == Qt::TextAlignmentRole) {
    const bool rechts = Spalten(liste_)[static_cast<size_t>(index.column())].rechts;
    return QVariant::fromValue(Qt::AlignVCenter | (rechts ? Qt::AlignRight : Qt::AlignLeft));
  }
  return {};
}

QVariant UebersichtModell::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) return {};
  const UebersichtSpalte& spalte = Spalten(liste_)[static_cast<size_t>(section)];
  if (role == Qt::DisplayRole) return Titel(spalte.titel);
  if (role == Qt::TextAlignmentRole)
    return QVariant::fromValue(Qt::AlignVCenter | (spalte.rechts ? Qt::AlignRight : Qt::AlignLeft));
  return {};
}

void UebersichtModell::IndexNeu() {
  index_aktuell_ = true;
  index_.clear();
  index_.reserve(zeilen_.size());
  for (size_t i = 0; i < zeilen_.size(); ++i)
    index_.emplace(FoldCase(zeilen_[i].key), static_cast<int>(i));
}

void UebersichtModell::ZeilenGeaendert() {
  index_aktuell_ = false;  // built when a row is next looked up
  werte_.clear();
}

void UebersichtModell::Fuellen(std::vector<UebersichtZeile> zeilen) {
  beginResetModel();
  zeilen_ = std::move(zeilen);
  ZeilenGeaendert();
  endResetModel();
}

void UebersichtModell::Setzen(UebersichtZeile zeile) {
  if (!index_aktuell_) IndexNeu();
  werte_.clear();
  auto it = index_.find(FoldCase(zeile.key));
  if (it != index_.end()) {
    zeilen_[static_cast<size_t>(it->second)] = std::move(zeile);
    emit dataChanged(index(it->second, 0), index(it->second, columnCount() - 1));
    return;
  }
  const int neu = rowCount();
  beginInsertRows({}, neu, neu);
  index_.emplace(FoldCase(zeile.key), neu);
  zeilen_.push_back(std::move(zeile));
  endInsertRows();
}

void UebersichtModell::Entfernen(const std::vector<std::string>& keys) {
  if (keys.empty()) return;
  std::unordered_set<std::string> weg;
  for (const std::string& key : keys) weg.insert(FoldCase(key));
  // Contiguous runs go in one step each, from the bottom so the indexes above stay valid.
  for (int ende = rowCount() - 1; ende >= 0;) {
    if (!weg.count(FoldCase(zeilen_[static_cast<size_t>(ende)].key))) {
      --ende;
      continue;
    }
    int anfang = ende;
    while (anfang > 0 && weg.count(FoldCase(zeilen_[static_cast<size_t>(anfang - 1)].key)))
      --anfang;
    beginRemoveRows({}, anfang, ende);
    zeilen_.erase(zeilen_.begin() + anfang, zeilen_.begin() + ende + 1);
    endRemoveRows();
    ende = anfang - 1;
  }
  ZeilenGeaendert();
}

void UebersichtModell::Ordnen(const std::vector<size_t>& reihenfolge) {
  if (reihenfolge.size() != zeilen_.size()) return;
  emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
  std::vector<int> neue_zeile(zeilen_.size());
  std::vector<UebersichtZeile> geordnet;
  geordnet.reserve(zeilen_.size());
  for (size_t i = 0; i < reihenfolge.size(); ++i) {
    neue_zeile[reihenfolge[i]] = static_cast<int>(i);
    geordnet.push_back(std::move(zeilen_[reihenfolge[i]]));
  }
  zeilen_ = std::move(geordnet);
  for (auto& [spalte, werte] : werte_) {
    std::vector<double> geordnete_werte(werte.size());
    for (size_t i = 0; i < reihenfolge.size(); ++i) geordnete_werte[i] = werte[reihenfolge[i]];
    werte = std::move(geordnete_werte);
  }
  const QModelIndexList alt = persistentIndexList();
  QModelIndexList neu;
  neu.reserve(alt.size());
  for (const QModelIndex& i : alt)
    neu.push_back(index(neue_zeile[static_cast<size_t>(i.row())], i.column()));
  changePersistentIndexList(alt, neu);
  index_aktuell_ = false;
  emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

const std::vector<double>& UebersichtModell::Werte(int spalte, SortArt art) {
  auto [gefunden, neu] = werte_.try_emplace({spalte, art});
  std::vector<double>& werte = gefunden->second;
  if (!neu) return werte;
  werte.reserve(zeilen_.size());
  for (size_t i = 0; i < zeilen_.size(); ++i) {
    const UebersichtZeile& z = zeilen_[i];
    if (z.fill && z.spalten.empty() && (spalte == 4 || spalte == 6)) {
      werte.push_back(spalte == 4              ? z.fill->FilledAnzahl
                      : z.fill->EnterPreis > 0 ? z.fill->EnterPreis
                                               : 0.0);
      continue;
    }
    const std::string text = Zelle(static_cast<int>(i), spalte);
    werte.push_back(art == SortArt::Datum ? ZellenWertDatum(text, locale_)
                                          : ZellenWertZahl(text, locale_));
  }
  return werte;
}

std::vector<std::string> UebersichtModell::Spalte(int spalte) const {
  std::vector<std::string> zellen;
  zellen.reserve(zeilen_.size());
  for (int i = 0; i < rowCount(); ++i) zellen.push_back(Zelle(i, spalte));
  return zellen;
}

}  // namespace vks
