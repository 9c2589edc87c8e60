#include "accounts/clKonto.h"

#include <iterator>
#include <memory>
#include <string>
#include <utility>

#include "accounts/RecordArray.h"

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

// Elements 24 to 35.
constexpr double clKonto::*kCapital[] = {
    &clKonto::AktienInvestWertGesamt,       &clKonto::AktienInvestWertShort,
    &clKonto::AktienWertAktuellGesamt,      &clKonto::AktienWertAktuellShort,
    &clKonto::KapitalKontrakteOpenPLGesamt, &clKonto::KapitalKontrakteOpenPLShort,
    &clKonto::KapitalAktienOpenPLGesamt,    &clKonto::KapitalAktienOpenPLShort,
    &clKonto::KapitalKontrakteMarginGesamt, &clKonto::KapitalKontrakteMarginShort,
    &clKonto::KapitalAktienMarginGesamt,    &clKonto::KapitalAktienMarginShort};

// Elements 41 to 44.
constexpr double clKonto::*kEnterOrderMargin[] = {
    &clKonto::EnterOrderMarginGesamt, &clKonto::EnterOrderMarginShort,
    &clKonto::EnterOrderAktienMarginGesamt, &clKonto::EnterOrderAktienMarginShort};

// Element 45, an array 0..2.
constexpr double clKonto::*kProfitLoss[] = {&clKonto::ProfitLossGesamt, &clKonto::ProfitLossAktien,
                                            &clKonto::ProfitLossKontrakte};

// Reads the children nested in the next element into a new collection keyed by `key` of each
// child.
template <class Record, class Collection, class Key>
Collection ReadChildren(StoreReader& in, std::string_view what, Key key) {
  Collection collection(CompareMode::Text);
  ChildListReader list(in, what);
  for (int32_t i = 0; i < list.Count(); ++i) {
    auto child = std::make_shared<Record>();
    child->ReadAllProperties(in);
    std::string child_key = (*child).*key;
    collection.Add(std::move(child_key), std::move(child));
  }
  list.Finish();
  return collection;
}

}  // namespace

Variant clKonto::WriteAllProperties() const {
  return RecordVariant(*this);
}

void clKonto::ReadAllProperties(const Variant& para) {
  ReadRecordVariant(*this, para);
}

void clKonto::WriteAllProperties(StoreWriter& out) const {
  out.ArrayHeader(0, kRecordElements);
  out.String(KontoName);
  out.String(Beschreibung);
  out.Double(CashBetrag);
  WriteChildList(out, cOffeneOrders);
  WriteChildList(out, cTitelPositionen);
  WriteChildList(out, cFilledOrders);
  out.Boolean(DoPLUmrechnen);
  out.Boolean(UseSimulZeit);
  out.Date(AktuelleZeit);
  for (auto field : kCounters) out.Long(this->*field);
  for (auto field : kCapital) out.Double(this->*field);
  out.Boolean(UseCommissions);
  out.Boolean(UseUmrechnung);
  out.String(FillStreichBedingung);
  out.String(PlatziereBedingung);
  out.String(PlatziereMeldung);
  for (auto field : kEnterOrderMargin) out.Double(this->*field);
  out.ArrayHeader(0, std::ssize(kProfitLoss));
  for (auto field : kProfitLoss) out.Double(this->*field);
  out.Boolean(PosLetztenPreisSpeichern);
  out.Boolean(MarginUmrechnen);
  WriteEmptyElements(out, kRecordElements - kReadElements);
}

void clKonto::ReadAllProperties(StoreReader& in) {
  RecordReader record(in, "Kontodatensatz", kReadElements);
  KontoName = in.String();
  Beschreibung = in.String();
  CashBetrag = in.Double();
  cOffeneOrders =
      ReadChildren<clOffeneOrder, OffeneOrderCollection>(in, "offenen Orders", &clOffeneOrder::ID);
  cTitelPositionen = ReadChildren<clTitelPosition, PositionCollection>(in, "Positionen",
                                                                       &clTitelPosition::TitelWKN);
  cFilledOrders =
      ReadChildren<clFilledOrder, FilledOrderCollection>(in, "Fills", &clFilledOrder::ID);
  DoPLUmrechnen = in.Boolean();
  UseSimulZeit = in.Boolean();
  AktuelleZeit = in.Date();
  for (auto field : kCounters) this->*field = in.Long();
  for (auto field : kCapital) this->*field = in.Double();
  UseCommissions = in.Boolean();
  UseUmrechnung = in.Boolean();
  FillStreichBedingung = in.String();
  PlatziereBedingung = in.String();
  PlatziereMeldung = in.String();
  for (auto field : kEnterOrderMargin) this->*field = in.Double();
  // Profit and loss only from an array; anything else leaves them as they are.
  if (in.NextIsArray()) {
    RecordReader values(in, "Element 45 des Kontodatensatzes", std::ssize(kProfitLoss));
    for (auto field : kProfitLoss) this->*field = in.Double();
    values.Finish();
  } else {
    in.Skip();
  }
  PosLetztenPreisSpeichern = in.Boolean();
  MarginUmrechnen = in.Boolean();
  record.Finish();
}

}  // namespace vks
