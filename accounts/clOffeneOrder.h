#pragma once
// An order of an account that is not yet completely filled: what was ordered and filled so far,
// at which average price, and the trading terms copied from the order extras.
#include <cstdint>
#include <string>

#include "accounts/RecordFields.h"
#include "accounts/clOrderZusatzInfos.h"
#include "platform/automation/Variant.h"

namespace vks {

class StoreReader;
class StoreWriter;

class clOffeneOrder {
 public:
  clOffeneOrder() = default;
  clOffeneOrder(const clOffeneOrder&) = delete;
  clOffeneOrder& operator=(const clOffeneOrder&) = delete;

  std::string TitelName;
  std::string TitelWKN;
  std::string ID;
  int16_t Aktion = 0;  // direction as the host reports it
  int32_t Anzahl = 0;
  int32_t FilledAnzahl = 0;
  DateValue SimulDatum;
  DateValue RealDatum;
  bool IsEnterOrder = false;
  float PointValue = 0;
  Variant MinTickSize;
  float Margin = 0;  // stock: fraction of the traded value; contract: amount per contract
  float Kurs = 0;
  float FillDurchschnittsKurs = 0;
  float Commissions = 0;
  bool CommissionsArePoints = false;
  float MindestCommissions = 0;
  float MaximalCommissions = 0;
  float ZusatzCommissions = 0;
  float AktUmrechnungsWert = 0;
  bool UmrechnungAuchGebuehren = false;
  float StartUmrechnungswert = 0;

  // Takes over the trading terms of the order extras: a stock's margin percent becomes a
  // fraction, a factor of NoValue keeps the current one. Name, identifiers, quantities and prices
  // stay.
  void SchreibeZusatzInfos(const clOrderZusatzInfos& ZusatzInfos);
  // The record as stored: 26 elements from index 0.
  Variant WriteAllProperties() const;
  // Sets every field from such a record with the automation coercions. A stored average fill
  // price of 0 is taken as the order price. Throws AutomationError 13 or 9 for a record of the
  // wrong shape and the coercions' errors (13, 6, 94) for an element that does not convert.
  void ReadAllProperties(const Variant& para);
  // The same, written straight to the store's bytes and read straight from them (which the two
  // above do too); reading throws as above and as StoreReader for damaged bytes.
  void WriteAllProperties(StoreWriter& out) const;
  void ReadAllProperties(StoreReader& in);
};

template <>
struct StoredFields<clOffeneOrder> {
  static constexpr std::string_view kRecord = "clOffeneOrder";
  static constexpr std::string_view kWhat = "Orderdatensatz";
  static constexpr int32_t kElements = 26;
  static constexpr auto kKey = &clOffeneOrder::ID;
  static constexpr auto kFields = std::tuple{
      Field("TitelWKN", &clOffeneOrder::TitelWKN),
      Field("ID", &clOffeneOrder::ID),
      Field("Aktion", &clOffeneOrder::Aktion),
      Field("Anzahl", &clOffeneOrder::Anzahl),
      Field("FilledAnzahl", &clOffeneOrder::FilledAnzahl),
      Field("TitelName", &clOffeneOrder::TitelName),
      Field("SimulDatum", &clOffeneOrder::SimulDatum),
      Field("RealDatum", &clOffeneOrder::RealDatum),
      Field("IsEnterOrder", &clOffeneOrder::IsEnterOrder),
      Field("PointValue", &clOffeneOrder::PointValue),
      Field("MinTickSize", &clOffeneOrder::MinTickSize),
      Field("Margin", &clOffeneOrder::Margin),
      Field("Commissions", &clOffeneOrder::Commissions),
      Field("CommissionsArePoints", &clOffeneOrder::CommissionsArePoints),
      Field("MindestCommissions", &clOffeneOrder::MindestCommissions),
      Field("MaximalCommissions", &clOffeneOrder::MaximalCommissions),
      Field("ZusatzCommissions", &clOffeneOrder::ZusatzCommissions),
      Field("AktUmrechnungsWert", &clOffeneOrder::AktUmrechnungsWert),
      Field("Kurs", &clOffeneOrder::Kurs),
      Field("UmrechnungAuchGebuehren", &clOffeneOrder::UmrechnungAuchGebuehren),
      Field("FillDurchschnittsKurs", &clOffeneOrder::FillDurchschnittsKurs),
      Field("StartUmrechnungswert", &clOffeneOrder::StartUmrechnungswert),
  };
};

}  // namespace vks
