#pragma once
// One list of the account overview window as a table model: the rows the presenter builds, found
// by key, sorted by a column's values. Model and view keep 100 000 rows responsive where item
// widgets would not.
#include <QAbstractTableModel>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "presenters/UebersichtZeilen.h"

namespace vks {

class UebersichtModell : public QAbstractTableModel {
  Q_OBJECT
 public:
  UebersichtModell(UebersichtListe liste, AutomationLocale locale, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  UebersichtListe Liste() const { return liste_; }
  // A column's title in the language shown.
  static QString Titel(const char* titel);
  void Fuellen(std::vector<UebersichtZeile> zeilen);
  // Adds the row at the end, or replaces the one with the same key in place.
  void Setzen(UebersichtZeile zeile);
  void Entfernen(const std::vector<std::string>& keys);
  const std::string& Key(int zeile) const { return zeilen_[static_cast<size_t>(zeile)].key; }
  std::string Zelle(int zeile, int spalte) const;
  // Puts the rows in the order `reihenfolge` names (indexes of the current rows); selections and
  // the current row move with their rows.
  void Ordnen(const std::vector<size_t>& reihenfolge);
  // The cells of one column, top to bottom.
  std::vector<std::string> Spalte(int spalte) const;
  // The values a number or date column sorts by, top to bottom: read from the cells' texts, or
  // for a fill row that carries its fill straight from the fill's field. Read once, then kept in
  // step with the rows as they are put in order, until a row is added, changed or removed.
  const std::vector<double>& Werte(int spalte, SortArt art);

 private:
  void IndexNeu();
  void ZeilenGeaendert();

  UebersichtListe liste_;
  AutomationLocale locale_;
  std::vector<UebersichtZeile> zeilen_;
  std::unordered_map<std::string, int> index_;  // key in lower case → row
  bool index_aktuell_ = true;
  std::map<std::pair<int, SortArt>, std::vector<double>> werte_;  // column → values by row
};

}  // namespace vks
