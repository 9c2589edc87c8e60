#include "accounts/RecordArray.h"

#include <utility>

#include "platform/automation/AutomationError.h"

namespace vks {

const VariantArray& RecordElements(const Variant& para, std::string_view what,
                                   int32_t min_elements) {
  if (!para.IsArray() || para.AsArray().Dimensions() != 1) {
    throw AutomationError(error::kTypeMismatch, "",
                          std::string(what) + " ist kein eindimensionales Datenfeld");
  }
  const VariantArray& array = para.AsArray();
  const ArrayBound bound = array.Bounds()[0];
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
  return array;
}

std::vector<const Variant*> ChildRecords(const Variant& element, std::string_view what) {
  std::vector<const Variant*> records;
  if (!element.IsArray()) return records;
  const VariantArray& array = element.AsArray();
  if (array.Dimensions() != 1) {
    throw AutomationError(
        error::kSubscriptOutOfRange, "",
        "Liste der " + std::string(what) + " ist kein eindimensionales Datenfeld");
  }
  const ArrayBound bound = array.Bounds()[0];
  if (bound.count == 0) return records;
  // Children are numbered from 1; an element 0 would be skipped without a word.
  if (bound.lower != 1) {
    throw AutomationError(error::kSubscriptOutOfRange, "",
                          "Liste der " + std::string(what) + " beginnt bei Index " +
                              std::to_string(bound.lower) + " statt 1");
  }
  records.reserve(static_cast<size_t>(bound.count));
  for (const Variant& record : array.Elements()) records.push_back(&record);
  return records;
}

Variant RecordArray(std::vector<Variant> elements) {
  return Variant(VariantArray::Vector(0, std::move(elements)));
}

Variant ChildRecordList(std::vector<Variant> records) {
  if (records.empty()) return Variant();
  return Variant(VariantArray::Vector(1, std::move(records)));
}

}  // namespace vks
