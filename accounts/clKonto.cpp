#include "accounts/clKonto.h"

#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "accounts/RecordArray.h"
#include "platform/automation/VariantConversions.h"

namespace vks {
namespace {

// Elements 9 to 23.
constexpr int32_t clKonto::*kCounters[] = {
    &clKonto::OffeneLongOrders,       &clKonto::OffeneShortOrders,
    &clKonto::OffeneLongEnterOrders,  &clKonto::OffeneShortEnterOrders,
    &clKonto::FilledOrders,           &clKonto::FilledLongOrders,
    &clKonto::FilledShortOrders,      &clKonto::FilledEnterLongOrders,
    &clKonto::FilledEnterShortOrders, &clKonto::AnzahlPositionen,
    &clKonto::AnzahlShortPositionen,  &clKonto::AktienPositionen,
    &clKonto::AktienPositionenShort,  &clKonto::KontraktAnzahl,
    &clKonto::KontraktAnzahlShort};
constexpr int32_t kFirstCounter = 9;

// Elements 24 to 35.
constexpr double clKonto::*kCapital[] = {
    &clKonto::AktienInvestWertGesamt,       &clKonto::AktienInvestWertShort,
    &clKonto::AktienWertAktuellGesamt,      &clKonto::AktienWertAktuellShort,
    &clKonto::KapitalKontrakteOpenPLGesamt, &clKonto::KapitalKontrakteOpenPLShort,
    &clKonto::KapitalAktienOpenPLGesamt,    &clKonto::KapitalAktienOpenPLShort,
    &clKonto::KapitalKontrakteMarginGesamt, &clKonto::KapitalKontrakteMarginShort,
    &clKonto::KapitalAktienMarginGesamt,    &clKonto::KapitalAktienMarginShort};
constexpr int32_t kFirstCapital = 24;

// Elements 41 to 44.
constexpr double clKonto::*kEnterOrderMargin[] = {
    &clKonto::EnterOrderMarginGesamt, &clKonto::EnterOrderMarginShort,
    &clKonto::EnterOrderAktienMarginGesamt, &clKonto::EnterOrderAktienMarginShort};
constexpr int32_t kFirstEnterOrderMargin = 41;

// Element 45, an array 0..2.
constexpr double clKonto::*kProfitLoss[] = {&clKonto::ProfitLossGesamt, &clKonto::ProfitLossAktien,
                                            &clKonto::ProfitLossKontrakte};
constexpr int32_t kProfitLossElement = 45;

template <class Collection>
Variant WriteChildren(const Collection& collection) {
  std::vector<Variant> records;
  records.reserve(collection.Count());
  for (const auto& entry : collection) records.push_back(entry.value->WriteAllProperties());
  return ChildRecordList(std::move(records));
}

// Reads the children nested in `element` into a new collection keyed by `key` of each child.
template <class Record, class Collection, class Key>
Collection ReadChildren(const Variant& element, std::string_view what, Key key) {
  Collection collection(CompareMode::Text);
  for (const Variant* record : ChildRecords(element, what)) {
    auto child = std::make_shared<Record>();
    child->ReadAllProperties(*record);
    std::string child_key = (*child).*key;
    collection.Add(std::move(child_key), std::move(child));
  }
  return collection;
}

}  // namespace

Variant clKonto::WriteAllProperties() const {
  std::vector<Variant> e(kRecordElements);
  e[0] = KontoName;
  e[1] = Beschreibung;
  e[2] = CashBetrag;
  e[3] = WriteChildren(cOffeneOrders);
  e[4] = WriteChildren(cTitelPositionen);
  e[5] = WriteChildren(cFilledOrders);
  e[6] = DoPLUmrechnen;
  e[7] = UseSimulZeit;
  e[8] = AktuelleZeit;
  for (int32_t i = 0; i < std::ssize(kCounters); ++i) e[kFirstCounter + i] = this->*kCounters[i];
  for (int32_t i = 0; i < std::ssize(kCapital); ++i) e[kFirstCapital + i] = this->*kCapital[i];
  e[36] = UseCommissions;
  e[37] = UseUmrechnung;
  e[38] = FillStreichBedingung;
  e[39] = PlatziereBedingung;
  e[40] = PlatziereMeldung;
  for (int32_t i = 0; i < std::ssize(kEnterOrderMargin); ++i) {
    e[kFirstEnterOrderMargin + i] = this->*kEnterOrderMargin[i];
  }
  std::vector<Variant> profit_loss;
  for (auto field : kProfitLoss) profit_loss.emplace_back(this->*field);
  e[kProfitLossElement] = RecordArray(std::move(profit_loss));
  e[46] = PosLetztenPreisSpeichern;
  e[47] = MarginUmrechnen;
  return RecordArray(std::move(e));
}

void clKonto::ReadAllProperties(const Variant& para) {
  const VariantArray& e = RecordElements(para, "Kontodatensatz", kReadElements);
  KontoName = ToString(e.At(0));
  Beschreibung = ToString(e.At(1));
  CashBetrag = ToDouble(e.At(2));
  cOffeneOrders = ReadChildren<clOffeneOrder, OffeneOrderCollection>(e.At(3), "offenen Orders",
                                                                     &clOffeneOrder::ID);
  cTitelPositionen = ReadChildren<clTitelPosition, PositionCollection>(e.At(4), "Positionen",
                                                                       &clTitelPosition::TitelWKN);
  cFilledOrders =
      ReadChildren<clFilledOrder, FilledOrderCollection>(e.At(5), "Fills", &clFilledOrder::ID);
  DoPLUmrechnen = ToBoolean(e.At(6));
  UseSimulZeit = ToBoolean(e.At(7));
  AktuelleZeit = ToDate(e.At(8));
  for (int32_t i = 0; i < std::ssize(kCounters); ++i) {
    this->*kCounters[i] = ToLong(e.At(kFirstCounter + i));
  }
  for (int32_t i = 0; i < std::ssize(kCapital); ++i) {
    this->*kCapital[i] = ToDouble(e.At(kFirstCapital + i));
  }
  UseCommissions = ToBoolean(e.At(36));
  UseUmrechnung = ToBoolean(e.At(37));
  FillStreichBedingung = ToString(e.At(38));
  PlatziereBedingung = ToString(e.At(39));
  PlatziereMeldung = ToString(e.At(40));
  for (int32_t i = 0; i < std::ssize(kEnterOrderMargin); ++i) {
    this->*kEnterOrderMargin[i] = ToDouble(e.At(kFirstEnterOrderMargin + i));
  }
  PosLetztenPreisSpeichern = ToBoolean(e.At(46));
  MarginUmrechnen = ToBoolean(e.At(47));
  const Variant& profit_loss = e.At(kProfitLossElement);
  if (profit_loss.IsArray()) {
    const VariantArray& values = RecordElements(profit_loss, "Element 45 des Kontodatensatzes", 3);
    for (int32_t i = 0; i < std::ssize(kProfitLoss); ++i)
      this->*kProfitLoss[i] = ToDouble(values.At(i));
  }
}

}  // namespace vks
