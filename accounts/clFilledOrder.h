#pragma once
// A completed (or cancelled after a partial fill) order, kept for display and counting.
#include <cstdint>
#include <string>

#include "accounts/RecordFields.h"
#include "platform/automation/Variant.h"

namespace vks {

class StoreReader;
class StoreWriter;

class clFilledOrder {
 public:
  clFilledOrder() = default;
  clFilledOrder(const clFilledOrder&) = delete;
  clFilledOrder& operator=(const clFilledOrder&) = delete;

  std::string ID;
  int16_t Aktion = 0;
  int32_t FilledAnzahl = 0;
  std::string TitelName;
  std::string TitelWKN;
  bool Gestrichen = false;  // recorded when a partly filled order was cancelled
  DateValue SimulDatum;
  DateValue RealDatum;
  bool IsEnterOrder = false;
  float EnterPreis = 0;  // average fill price

  // The record as stored: 13 elements from index 0.
  Variant WriteAllProperties() const;
  // Sets every field from such a record with the automation coercions. Throws AutomationError 13
  // or 9 for a record of the wrong shape and the coercions' errors (13, 6, 94) for an element that
  // does not convert.
  void ReadAllProperties(const Variant& para);
  // The same, written straight to the store's bytes and read straight from them (which the two
  // above do too); reading throws as above and as StoreReader for damaged bytes.
  void WriteAllProperties(StoreWriter& out) const;
  void ReadAllProperties(StoreReader& in);
};

template <>
struct StoredFields<clFilledOrder> {
  static constexpr std::string_view kRecord = "clFilledOrder";
  static constexpr std::string_view kWhat = "Filldatensatz";
  static constexpr int32_t kElements = 13;
  static constexpr auto kKey = &clFilledOrder::ID;
  static constexpr auto kFields = std::tuple{
      Field("ID", &clFilledOrder::ID),
      Field("Aktion", &clFilledOrder::Aktion),
      Field("FilledAnzahl", &clFilledOrder::FilledAnzahl),
      Field("TitelName", &clFilledOrder::TitelName),
      Field("Gestrichen", &clFilledOrder::Gestrichen),
      Field("TitelWKN", &clFilledOrder::TitelWKN),
      Field("SimulDatum", &clFilledOrder::SimulDatum),
      Field("RealDatum", &clFilledOrder::RealDatum),
      Field("IsEnterOrder", &clFilledOrder::IsEnterOrder),
      Field("EnterPreis", &clFilledOrder::EnterPreis),
  };
};

}  // namespace vks
