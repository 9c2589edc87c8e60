#pragma once
// The element names of the four stored record types, so that a dumped store shows which value is
// which field. Knowledge of the layouts stays here; packing does not depend on it.
#include <cstdint>
#include <span>
#include <string_view>

#include "tools/store/StoreJson.h"

namespace vks {

struct RecordLayout {
  std::string_view record;                   // "clKonto"; "" for a plain value array
  std::span<const std::string_view> fields;  // by element index; "" for an unused element
  // The field holding the child's key in its collection ("" for the account).
  std::string_view key_field;
};

const RecordLayout& KontoLayout();
const RecordLayout& TitelPositionLayout();
const RecordLayout& OffeneOrderLayout();
const RecordLayout& FilledOrderLayout();
// The three Doubles of the account's element 45.
const RecordLayout& ProfitLossLayout();

// The layout of the child records nested in element `index` of the account record, or nullptr.
const RecordLayout* KontoChildLayout(int32_t index);

// The field name of element `index`, or "" when the layout has none there.
std::string_view FieldName(const RecordLayout& layout, int64_t index);

// Adds "record" and "field" labels to the tagged form of a whole store (an array of account
// records), each as the first key of its value. Values without the expected shape stay unlabelled.
void LabelStore(StoreJson& store);

}  // namespace vks
