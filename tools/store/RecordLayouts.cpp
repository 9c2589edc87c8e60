#include "tools/store/RecordLayouts.h"

#include <iterator>
#include <string>

namespace vks {
namespace {

constexpr std::string_view kKontoFields[] = {
    "KontoName",
    "Beschreibung",
    "CashBetrag",
    "cOffeneOrders",
    "cTitelPositionen",
    "cFilledOrders",
    "DoPLUmrechnen",
    "UseSimulZeit",
    "AktuelleZeit",
    "OffeneLongOrders",
    "OffeneShortOrders",
    "OffeneLongEnterOrders",
    "OffeneShortEnterOrders",
    "FilledOrders",
    "FilledLongOrders",
    "FilledShortOrders",
    "FilledEnterLongOrders",
    "FilledEnterShortOrders",
    "AnzahlPositionen",
    "AnzahlShortPositionen",
    "AktienPositionen",
    "AktienPositionenShort",
    "KontraktAnzahl",
    "KontraktAnzahlShort",
    "AktienInvestWertGesamt",
    "AktienInvestWertShort",
    "AktienWertAktuellGesamt",
    "AktienWertAktuellShort",
    "KapitalKontrakteOpenPLGesamt",
    "KapitalKontrakteOpenPLShort",
    "KapitalAktienOpenPLGesamt",
    "KapitalAktienOpenPLShort",
    "KapitalKontrakteMarginGesamt",
    "KapitalKontrakteMarginShort",
    "KapitalAktienMarginGesamt",
    "KapitalAktienMarginShort",
    "UseCommissions",
    "UseUmrechnung",
    "FillStreichBedingung",
    "PlatziereBedingung",
    "PlatziereMeldung",
    "EnterOrderMarginGesamt",
    "EnterOrderMarginShort",
    "EnterOrderAktienMarginGesamt",
    "EnterOrderAktienMarginShort",
    "ProfitLoss",
    "PosLetztenPreisSpeichern",
    "MarginUmrechnen",
};

constexpr std::string_view kTitelPositionFields[] = {
    "Durchschnittspreis", "Position",           "PointValue",         "MinTickSize",
    "TitelWKN",           "TitelName",          "Margin",             "Commissions",
    "CommissionsArePoints", "MindestCommissions", "MaximalCommissions", "ZusatzCommissions",
    "AktUmrechnungsWert", "OpenPL",             "UmrechnungAuchGebuehren",
};

constexpr std::string_view kOffeneOrderFields[] = {
    "TitelWKN",           "ID",
    "Aktion",             "Anzahl",
    "FilledAnzahl",       "TitelName",
    "SimulDatum",         "RealDatum",
    "IsEnterOrder",       "PointValue",
    "MinTickSize",        "Margin",
    "Commissions",        "CommissionsArePoints",
    "MindestCommissions", "MaximalCommissions",
    "ZusatzCommissions",  "AktUmrechnungsWert",
    "Kurs",               "UmrechnungAuchGebuehren",
    "FillDurchschnittsKurs", "StartUmrechnungswert",
};

constexpr std::string_view kFilledOrderFields[] = {
    "ID",       "Aktion",     "FilledAnzahl", "TitelName",    "Gestrichen",
    "TitelWKN", "SimulDatum", "RealDatum",    "IsEnterOrder", "EnterPreis",
};

constexpr std::string_view kProfitLossFields[] = {"ProfitLossGesamt", "ProfitLossAktien",
                                                  "ProfitLossKontrakte"};

constexpr int32_t kProfitLossElement = 45;

// Rebuilds `json` with `key` in front, so that a label reads before the value it labels.
void Prepend(StoreJson& json, const char* key, std::string_view value) {
  StoreJson labelled = StoreJson::object();
  labelled[key] = std::string(value);
  for (auto& [k, v] : json.items()) labelled[k] = std::move(v);
  json = std::move(labelled);
}

// The elements of a tagged one-dimensional array and its lower bound, or nullptr.
StoreJson* VectorElements(StoreJson& json, int64_t& lower) {
  if (!json.is_object() || json.value("type", "") != "Array") return nullptr;
  auto bounds = json.find("bounds");
  auto elements = json.find("elements");
  if (bounds == json.end() || elements == json.end() || !bounds->is_array() ||
      bounds->size() != 1 || !elements->is_array()) {
    return nullptr;
  }
  const StoreJson& bound = (*bounds)[0];
  if (!bound.is_object() || !bound.contains("lower") || !bound["lower"].is_number_integer())
    return nullptr;
  lower = bound["lower"].get<int64_t>();
  return &*elements;
}

void LabelRecord(StoreJson& record, const RecordLayout& layout);

void LabelChildren(StoreJson& list, const RecordLayout& layout) {
  int64_t lower = 0;
  StoreJson* children = VectorElements(list, lower);
  if (!children) return;
  for (StoreJson& child : *children) LabelRecord(child, layout);
}

void LabelRecord(StoreJson& record, const RecordLayout& layout) {
  int64_t lower = 0;
  StoreJson* elements = VectorElements(record, lower);
  if (!elements) return;
  for (size_t i = 0; i < elements->size(); ++i) {
    const int64_t index = lower + static_cast<int64_t>(i);
    StoreJson& element = (*elements)[i];
    if (&layout == &KontoLayout()) {
      if (const RecordLayout* child = KontoChildLayout(static_cast<int32_t>(index)))
        LabelChildren(element, *child);
      if (index == kProfitLossElement) LabelRecord(element, ProfitLossLayout());
    }
    std::string_view name = FieldName(layout, index);
    if (!name.empty()) Prepend(element, "field", name);
  }
  if (!layout.record.empty()) Prepend(record, "record", layout.record);
}

}  // namespace

const RecordLayout& KontoLayout() {
  static const RecordLayout layout{"clKonto", kKontoFields, ""};
  return layout;
}

const RecordLayout& TitelPositionLayout() {
  static const RecordLayout layout{"clTitelPosition", kTitelPositionFields, "TitelWKN"};
  return layout;
}

const RecordLayout& OffeneOrderLayout() {
  static const RecordLayout layout{"clOffeneOrder", kOffeneOrderFields, "ID"};
  return layout;
}

const RecordLayout& FilledOrderLayout() {
  static const RecordLayout layout{"clFilledOrder", kFilledOrderFields, "ID"};
  return layout;
}

const RecordLayout& ProfitLossLayout() {
  static const RecordLayout layout{"", kProfitLossFields, ""};
  return layout;
}

const RecordLayout* KontoChildLayout(int32_t index) {
  switch (index) {
    case 3:
      return &OffeneOrderLayout();
    case 4:
      return &TitelPositionLayout();
    case 5:
      return &FilledOrderLayout();
    default:
      return nullptr;
  }
}

std::string_view FieldName(const RecordLayout& layout, int64_t index) {
  if (index < 0 || index >= std::ssize(layout.fields)) return {};
  return layout.fields[static_cast<size_t>(index)];
}

void LabelStore(StoreJson& store) {
  int64_t lower = 0;
  StoreJson* accounts = VectorElements(store, lower);
  if (!accounts) return;
  for (StoreJson& account : *accounts) LabelRecord(account, KontoLayout());
  Prepend(store, "record", "Konten");
}

}  // namespace vks
