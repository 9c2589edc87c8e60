#pragma once
// Access to the value arrays that the account records turn into for the store: checks of their
// shape with errors that say what is wrong, and the building of records and child lists.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/automation/Variant.h"

namespace vks {

// The elements of a record array that must hold at least `min_elements` from index 0. `what`
// names the record in errors ("Kontodatensatz"). Throws AutomationError 13 when `para` is no
// one-dimensional array, 9 when it does not start at 0 or is too short.
const VariantArray& RecordElements(const Variant& para, std::string_view what,
                                   int32_t min_elements);

// The child records nested in one element of the account record: none unless the element is an
// array, else its elements 1 to its upper bound. `what` names the list in errors ("Positionen").
// Throws AutomationError 9 for an array with more dimensions or a lower bound other than 1.
std::vector<const Variant*> ChildRecords(const Variant& element, std::string_view what);

// A record array with lower bound 0 holding `elements`.
Variant RecordArray(std::vector<Variant> elements);

// The child list as nested in the account record: an array from 1, or Empty when there is no
// child.
Variant ChildRecordList(std::vector<Variant> records);

}  // namespace vks
