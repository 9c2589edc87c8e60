#pragma once
// A completed (or cancelled after a partial fill) order, kept for display and counting.
#include <cstdint>
#include <string>

#include "platform/automation/Variant.h"

namespace vks {

class StoreReader;
class StoreWriter;

class clFilledOrder {
 public:
  // Elements of the stored record; 10 to 12 stay empty.
  static constexpr int32_t kRecordElements = 13;
  static constexpr int32_t kReadElements = 10;

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

}  // namespace vks
