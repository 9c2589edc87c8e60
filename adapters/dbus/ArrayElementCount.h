#pragma once
// The check both sides of the bus make on an array that arrives: its bounds must describe exactly
// the elements that came. It runs before the array is built, so bounds that ask for millions of
// elements cost nothing when the message does not carry them.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/automation/AutomationError.h"
#include "platform/automation/Variant.h"

namespace vks::dbus {

// Throws AutomationError 13 when the bounds do not fit the count; a negative count passes, for
// VariantArray to refuse with error 9 before it allocates. The product stops growing past the
// elements that came, so it cannot overflow.
inline void CheckArrayElementCount(const std::vector<ArrayBound>& bounds, size_t elements) {
  int64_t count = bounds.empty() ? 0 : 1;
  for (const ArrayBound& b : bounds) {
    if (b.count < 0) return;
    count *= b.count;
    if (count == 0 || count > static_cast<int64_t>(elements)) break;
  }
  if (count == static_cast<int64_t>(elements)) return;
  throw AutomationError(error::kTypeMismatch, "",
                        "Die Grenzen des Datenfelds passen nicht zu den " +
                            std::to_string(elements) + " gesendeten Elementen.");
}

}  // namespace vks::dbus
