#pragma once
// Turns a Variant into the store's bytes.
#include <string>
#include <vector>

#include "platform/automation/Variant.h"

namespace vks {

// Appends `value` as one serialized Variant to `out`. Throws AutomationError 13 for a subtype the
// store cannot hold (objects, errors) and 5 for text that Windows-1252 cannot hold or that is
// longer than 65 535 bytes. On an error `out` may hold a partial value.
void AppendStoreVariant(std::string& out, const Variant& value);

// Appends the type and bounds of an array of Variants; its elements are to follow.
void AppendStoreArrayHeader(std::string& out, const std::vector<ArrayBound>& bounds);

}  // namespace vks
