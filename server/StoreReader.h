#pragma once
// Reads the store's bytes back into a Variant. Every length, count and nesting level is checked
// against what the remaining bytes could hold before anything is allocated, so a damaged or hostile
// file costs no more memory than a genuine one of its size.
#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/automation/Variant.h"

namespace vks {

// Reads one serialized Variant starting at `offset` and advances `offset` past it. Throws
// AutomationError (62 for data that ends early, 5 for anything malformed) whose description says
// what is wrong and at which byte offset.
Variant ReadStoreVariant(std::string_view bytes, size_t& offset);

// When the Variant at `offset` is an array of Variants: reads its type and bounds, leaves `offset`
// at its first element and returns the bounds, so that the caller can read the elements one by
// one. Otherwise returns nothing and leaves `offset` alone. Throws as ReadStoreVariant.
std::optional<std::vector<ArrayBound>> ReadStoreArrayHeader(std::string_view bytes, size_t& offset);

}  // namespace vks
