#pragma once
// Replacement of %NAME% references by environment variables, as REG_EXPAND_SZ values are read.
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace vks {

// Looks a variable up; nullopt when it is not set.
using EnvironmentLookup = std::function<std::optional<std::string>(const std::string& name)>;

// The environment of this process.
std::optional<std::string> ProcessEnvironment(const std::string& name);

// Every %NAME% whose variable is set becomes its value. For a name that is not set only the opening
// "%" is copied and the scan goes on after it, so its closing "%" may open the next reference
// ("%UNSET%HOME%" keeps "%UNSET" and expands HOME).
std::string ExpandEnvironmentStrings(std::string_view text, const EnvironmentLookup& environment);

}  // namespace vks
