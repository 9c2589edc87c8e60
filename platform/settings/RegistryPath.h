#pragma once
// Checks and comparison keys for registry key paths, value names and value data, shared by every
// RegistryBackend so that all of them refuse the same input with the same error.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/automation/AutomationError.h"
#include "platform/automation/Result.h"
#include "platform/settings/RegistryTypes.h"

namespace vks {

// The limits of the platform registry; names count characters, not bytes.
inline constexpr size_t kMaxKeyNameChars = 255;
inline constexpr size_t kMaxValueNameChars = 16383;
inline constexpr size_t kMaxKeyDepth = 512;
inline constexpr size_t kMaxValueBytes = size_t{1} << 20;

// Source of the errors every backend reports.
inline constexpr std::string_view kRegistryErrorSource = "Registry";

// The segments of a key path ("" gives none). Error 5 for an empty segment, a name longer than
// kMaxKeyNameChars, a NUL character, invalid UTF-8 or a path deeper than kMaxKeyDepth.
Result<std::vector<std::string_view>> SplitKeyPath(std::string_view path);

// Error 5 for a value name longer than kMaxValueNameChars, with a NUL character or invalid UTF-8.
std::optional<AutomationError> CheckValueName(std::string_view name);
// Error 5 for data longer than kMaxValueBytes or a type number below 0.
std::optional<AutomationError> CheckValueData(const RegistryValue& value);

// The comparison key of a key or value name: equal for names that differ only in case, and ordered
// as the platform enumerates subkeys (upper-case comparison, so "_" sorts after the letters).
std::string RegistryFold(std::string_view name);

// Number of characters of valid UTF-8; nullopt for invalid UTF-8.
std::optional<size_t> Utf8Length(std::string_view text);

// Error 5 naming what was refused.
AutomationError InvalidRegistryArgument(std::string_view detail);

}  // namespace vks
