#pragma once
// The account list's rows as a table model, found by key. A price-save tick hands each row its
// time and capital as numbers; their texts are made when the row is shown, so that a tick over a
// thousand accounts formats the few rows on the screen rather than all of them.
#include <QAbstractTableModel>
#include <string>
#include <unordered_map>
#include <vector>

#include "presenters/KontenListe.h"

namespace vks {

class KontenListeModell : public QAbstractTableModel {
  Q_OBJECT
 public:
  static constexpr int kSpalten = 5;

  explicit KontenListeModell(AutomationLocale locale, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  // The rows in this order; of rows with the same key the first place and the last texts.
  void Fuellen(const std::vector<KontenZeile>& zeilen);
  // Replaces the texts of the row with the same key, or adds the row at the end.
  void Setzen(const KontenZeile& zeile);
  void Umbenennen(const std::string& alter_key, const KontenZeile& zeile);
  void Entfernen(const std::string& key);
  // Rows whose numbers did not change are left as they are; the moved cells of each column are
  // announced together.
  void KurswerteSetzen(const std::vector<Kurswerte>& werte);

  // The row of the key, or -1.
  int Zeile(const std::string& key) const;
  const std::string& Key(int zeile) const { return zeilen_[static_cast<size_t>(zeile)].key; }

 private:
  struct Eintrag {
    std::string key;
    std::string name;
    // Showing a row makes texte[1] and texte[2] from the numbers when they are `alt`.
    mutable QString texte[kSpalten];
    mutable bool alt = false;
    bool zahlen = false;  // zeit and gesamtkapital came from a tick
    DateValue zeit;
    double gesamtkapital = 0;
  };
  static void TexteSetzen(Eintrag& eintrag, const KontenZeile& zeile);
  int ZeileVon(const Kurswerte& werte) const;

  AutomationLocale locale_;
  std::vector<Eintrag> zeilen_;
  mutable std::unordered_map<std::string, int> index_;  // key → row, made again after a removal
  mutable bool index_aktuell_ = true;
};

}  // namespace vks
