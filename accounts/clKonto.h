#pragma once
// A virtual trading account: its cash, counters and capital figures, its rule scripts, and the
// positions, open orders and fills it owns. The account store keeps one record of it per account.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "accounts/RecordFields.h"
#include "accounts/clFilledOrder.h"
#include "accounts/clOffeneOrder.h"
#include "accounts/clTitelPosition.h"
#include "platform/automation/KeyedDictionary.h"
#include "platform/automation/Variant.h"
#include "platform/system/Clock.h"

namespace vks {

class StoreReader;
class StoreWriter;

struct KontoUmgebung;

using PositionCollection = KeyedDictionary<std::shared_ptr<clTitelPosition>>;   // key TitelWKN
using OffeneOrderCollection = KeyedDictionary<std::shared_ptr<clOffeneOrder>>;  // key ID
using FilledOrderCollection = KeyedDictionary<std::shared_ptr<clFilledOrder>>;  // key ID

class clKonto {
 public:
  clKonto() = default;
  clKonto(const clKonto&) = delete;
  clKonto& operator=(const clKonto&) = delete;

  std::string KontoName;
  std::string Beschreibung;
  bool UseSimulZeit = false;
  bool DoPLUmrechnen = false;
  DateValue AktuelleZeit;
  bool PosLetztenPreisSpeichern = false;
  bool UseCommissions = false;
  bool UseUmrechnung = false;
  bool MarginUmrechnen = false;
  int32_t OffeneLongOrders = 0;
  int32_t OffeneShortOrders = 0;
  int32_t OffeneLongEnterOrders = 0;
  int32_t OffeneShortEnterOrders = 0;
  int32_t FilledOrders = 0;
  int32_t FilledLongOrders = 0;
  int32_t FilledShortOrders = 0;
  int32_t FilledEnterLongOrders = 0;
  int32_t FilledEnterShortOrders = 0;
  int32_t AnzahlPositionen = 0;
  int32_t AnzahlShortPositionen = 0;
  int32_t AktienPositionen = 0;
  int32_t AktienPositionenShort = 0;
  int32_t KontraktAnzahl = 0;
  int32_t KontraktAnzahlShort = 0;
  double CashBetrag = 10000;
  double PaidCommissions = 0;  // not stored
  // Fields ending in Gesamt hold long and short together; the long part is the total minus the
  // matching Short field.
  double AktienInvestWertGesamt = 0;
  double AktienInvestWertShort = 0;
  double AktienWertAktuellGesamt = 0;
  double AktienWertAktuellShort = 0;
  double KapitalKontrakteOpenPLGesamt = 0;
  double KapitalKontrakteOpenPLShort = 0;
  double KapitalAktienOpenPLGesamt = 0;
  double KapitalAktienOpenPLShort = 0;
  double KapitalAktienMarginGesamt = 0;
  double KapitalAktienMarginShort = 0;
  double KapitalKontrakteMarginGesamt = 0;
  double KapitalKontrakteMarginShort = 0;
  double EnterOrderMarginGesamt = 0;
  double EnterOrderMarginShort = 0;
  double EnterOrderAktienMarginGesamt = 0;
  double EnterOrderAktienMarginShort = 0;
  double ProfitLossGesamt = 0;
  double ProfitLossAktien = 0;
  double ProfitLossKontrakte = 0;
  PositionCollection cTitelPositionen;
  OffeneOrderCollection cOffeneOrders;
  FilledOrderCollection cFilledOrders;
  bool NeuerAktienwertSpeichern = false;  // not stored
  bool NeuerOpenPLSpeichern = false;      // not stored
  std::string FillStreichBedingung;
  std::string PlatziereBedingung;
  std::string PlatziereMeldung;

  // The record as stored: 51 elements from index 0, the open orders, positions and fills nested
  // in elements 3, 4 and 5 in their collections' order.
  Variant WriteAllProperties() const;
  // Sets the stored fields from such a record with the automation coercions and replaces the
  // three collections by the records nested in it; the fields that are not stored are left alone.
  // Throws AutomationError 13 for a record that is no array, 9 for one shorter than 48 elements,
  // 457 for two children with the same key, and the coercions' errors (13, 6, 94) for an element
  // that does not convert. On an error the account is left partly read.
  void ReadAllProperties(const Variant& para);
  // The same, written straight to the store's bytes and read straight from them (which the two
  // above do too); reading throws as above and as StoreReader for damaged bytes.
  void WriteAllProperties(StoreWriter& out) const;
  void ReadAllProperties(StoreReader& in);

  // Cash plus open profit and loss plus the margin bound by positions.
  double BerechneGesamtKapital() const;
  // Cash plus open profit and loss: what is not bound as margin.
  double BerechneVerfuegbarKapital() const;

  // Revalues the position in `TitelWKN` at `NeuerKurs`. Nothing happens without such a position,
  // for a flat one, for the price it already has, or for a price or time that is no finite number.
  // The time is `DatumZeit` with simulated time (only when > 0), else `clock`'s. Unless
  // `SofortSpeichern` is set, the price and the waiting flags for the price recording are set;
  // with it the caller records and sets them.
  void NeuerKurs(std::string_view TitelWKN, DateValue DatumZeit, float NeuerKurs,
                 bool& SofortSpeichern, Clock& clock);

  // Writes the account's current values into all its series: one pass at AktuelleZeit, or ten
  // passes, two a minute apart on each of the five days up to AktuelleZeit, so that every series
  // is filled from the start.
  void SchreibeInitRTTWerte(bool OnlyAktuellesDatum, const KontoUmgebung& umgebung) const;
  // Closes every series with zero: positions get size 0 (and stay), the account kinds value 0.
  // Cash, counters and collections are the caller's to clear.
  void AlleRTTDatenZuruecksetzen(const KontoUmgebung& umgebung);

  // Order and position bookkeeping. Each keeps its counters, records the changed series and tells
  // the windows; errors (a key that exists, a counter that overflows) reach the caller.

  // Removes the order and its counts; its entry-order margin is the caller's to release.
  void OffeneOrderLöschen(const clOffeneOrder& AktOrder, DateValue DatumZeit,
                          const KontoUmgebung& umgebung);
  // Adds the order under its ID and counts it.
  void OffeneOrderZufügen(std::shared_ptr<clOffeneOrder> AktOrder, DateValue DatumZeit,
                          const KontoUmgebung& umgebung);
  void OffeneOrderÄndern(const clOffeneOrder& AktOrder, const KontoUmgebung& umgebung);
  // Changes the margin an entry order reserves by PlusAnzahl - MinusAnzahl units.
  void OffeneOrderMarginAendern(clOffeneOrder& AktOrder, int32_t PlusAnzahl, int32_t MinusAnzahl,
                                const KontoUmgebung& umgebung);
  void NeuePositionZufügen(std::shared_ptr<clTitelPosition> AktPos, const KontoUmgebung& umgebung);
  // Adds the fill under its ID and counts it.
  void FilledOrderZufügen(std::shared_ptr<clFilledOrder> AktFilledOrder,
                          const KontoUmgebung& umgebung);
  // Removes a position that has become flat.
  void PositionÄndern(const clTitelPosition& AktPos, DateValue DatumZeit,
                      const KontoUmgebung& umgebung);
  // Aktion: change of the number of positions (1, 0, -1); Anzahl: change of the contracts.
  void PositionsZahlenAendern(int16_t Aktion, bool IsShortPos, bool IsAktie, int32_t Anzahl,
                              const KontoUmgebung& umgebung);
};

template <>
struct StoredFields<clKonto> {
  static constexpr std::string_view kRecord = "clKonto";
  static constexpr std::string_view kWhat = "Kontodatensatz";
  static constexpr int32_t kElements = 51;
  static constexpr auto kFields = std::tuple{
      Field("KontoName", &clKonto::KontoName),
      Field("Beschreibung", &clKonto::Beschreibung),
      Field("CashBetrag", &clKonto::CashBetrag),
      Children("cOffeneOrders", &clKonto::cOffeneOrders, "offenen Orders"),
      Children("cTitelPositionen", &clKonto::cTitelPositionen, "Positionen"),
      Children("cFilledOrders", &clKonto::cFilledOrders, "Fills"),
      Field("DoPLUmrechnen", &clKonto::DoPLUmrechnen),
      Field("UseSimulZeit", &clKonto::UseSimulZeit),
      Field("AktuelleZeit", &clKonto::AktuelleZeit),
      Field("OffeneLongOrders", &clKonto::OffeneLongOrders),
      Field("OffeneShortOrders", &clKonto::OffeneShortOrders),
      Field("OffeneLongEnterOrders", &clKonto::OffeneLongEnterOrders),
      Field("OffeneShortEnterOrders", &clKonto::OffeneShortEnterOrders),
      Field("FilledOrders", &clKonto::FilledOrders),
      Field("FilledLongOrders", &clKonto::FilledLongOrders),
      Field("FilledShortOrders", &clKonto::FilledShortOrders),
      Field("FilledEnterLongOrders", &clKonto::FilledEnterLongOrders),
      Field("FilledEnterShortOrders", &clKonto::FilledEnterShortOrders),
      Field("AnzahlPositionen", &clKonto::AnzahlPositionen),
      Field("AnzahlShortPositionen", &clKonto::AnzahlShortPositionen),
      Field("AktienPositionen", &clKonto::AktienPositionen),
      Field("AktienPositionenShort", &clKonto::AktienPositionenShort),
      Field("KontraktAnzahl", &clKonto::KontraktAnzahl),
      Field("KontraktAnzahlShort", &clKonto::KontraktAnzahlShort),
      Field("AktienInvestWertGesamt", &clKonto::AktienInvestWertGesamt),
      Field("AktienInvestWertShort", &clKonto::AktienInvestWertShort),
      Field("AktienWertAktuellGesamt", &clKonto::AktienWertAktuellGesamt),
      Field("AktienWertAktuellShort", &clKonto::AktienWertAktuellShort),
      Field("KapitalKontrakteOpenPLGesamt", &clKonto::KapitalKontrakteOpenPLGesamt),
      Field("KapitalKontrakteOpenPLShort", &clKonto::KapitalKontrakteOpenPLShort),
      Field("KapitalAktienOpenPLGesamt", &clKonto::KapitalAktienOpenPLGesamt),
      Field("KapitalAktienOpenPLShort", &clKonto::KapitalAktienOpenPLShort),
      Field("KapitalKontrakteMarginGesamt", &clKonto::KapitalKontrakteMarginGesamt),
      Field("KapitalKontrakteMarginShort", &clKonto::KapitalKontrakteMarginShort),
      Field("KapitalAktienMarginGesamt", &clKonto::KapitalAktienMarginGesamt),
      Field("KapitalAktienMarginShort", &clKonto::KapitalAktienMarginShort),
      Field("UseCommissions", &clKonto::UseCommissions),
      Field("UseUmrechnung", &clKonto::UseUmrechnung),
      Field("FillStreichBedingung", &clKonto::FillStreichBedingung),
      Field("PlatziereBedingung", &clKonto::PlatziereBedingung),
      Field("PlatziereMeldung", &clKonto::PlatziereMeldung),
      Field("EnterOrderMarginGesamt", &clKonto::EnterOrderMarginGesamt),
      Field("EnterOrderMarginShort", &clKonto::EnterOrderMarginShort),
      Field("EnterOrderAktienMarginGesamt", &clKonto::EnterOrderAktienMarginGesamt),
      Field("EnterOrderAktienMarginShort", &clKonto::EnterOrderAktienMarginShort),
      Group("ProfitLoss", "Element 45 des Kontodatensatzes",
            Field("ProfitLossGesamt", &clKonto::ProfitLossGesamt),
            Field("ProfitLossAktien", &clKonto::ProfitLossAktien),
            Field("ProfitLossKontrakte", &clKonto::ProfitLossKontrakte)),
      Field("PosLetztenPreisSpeichern", &clKonto::PosLetztenPreisSpeichern),
      Field("MarginUmrechnen", &clKonto::MarginUmrechnen),
  };
};

}  // namespace vks
