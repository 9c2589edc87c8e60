#include "accounts/RecordArray.h"

#include "platform/automation/AutomationError.h"

namespace vks {

RecordReader::RecordReader(StoreReader& in, std::string_view what, int32_t min_elements) : in_(in) {
  auto shape = in.BeginArray();
  if (!shape || shape->dimensions != 1) {
    throw AutomationError(error::kTypeMismatch, "",
                          std::string(what) + " ist kein eindimensionales Datenfeld");
  }
  const ArrayBound bound = shape->first;
  if (bound.lower != 0) {
    throw AutomationError(
        error::kSubscriptOutOfRange, "",
        std::string(what) + " beginnt bei Index " + std::to_string(bound.lower) + " statt 0");
  }
  if (bound.count < min_elements) {
    throw AutomationError(error::kSubscriptOutOfRange, "",
                          std::string(what) + " hat " + std::to_string(bound.count) +
                              " statt mindestens " + std::to_string(min_elements) + " Elemente");
  }
  rest_ = bound.count - min_elements;
}

void RecordReader::Finish() {
  for (; rest_ > 0; --rest_) in_.Skip();
  in_.EndArray();
}

ChildListReader::ChildListReader(StoreReader& in, std::string_view what) : in_(in) {
  auto shape = in.BeginArray();
  if (!shape) {
    in.Skip();
    return;
  }
  is_array_ = true;
  if (shape->dimensions != 1) {
    throw AutomationError(
        error::kSubscriptOutOfRange, "",
        "Liste der " + std::string(what) + " ist kein eindimensionales Datenfeld");
  }
  const ArrayBound bound = shape->first;
  // Children are numbered from 1; an element 0 would be skipped without a word.
  if (bound.count > 0 && bound.lower != 1) {
    throw AutomationError(error::kSubscriptOutOfRange, "",
                          "Liste der " + std::string(what) + " beginnt bei Index " +
                              std::to_string(bound.lower) + " statt 1");
  }
  count_ = bound.count;
}

void ChildListReader::Finish() {
  if (is_array_) in_.EndArray();
}

void WriteEmptyElements(StoreWriter& out, int32_t count) {
  for (int32_t i = 0; i < count; ++i) out.Empty();
}

}  // namespace vks
