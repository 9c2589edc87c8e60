#include "platform/settings/ExpandEnvironmentStrings.h"

#include <cstdlib>

namespace vks {

std::optional<std::string> ProcessEnvironment(const std::string& name) {
  const char* value = std::getenv(name.c_str());
  if (value == nullptr) return std::nullopt;
  return std::string(value);
}

std::string ExpandEnvironmentStrings(std::string_view text, const EnvironmentLookup& environment) {
  std::string out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    if (text[i] != '%') {
      out += text[i++];
      continue;
    }
    const size_t close = text.find('%', i + 1);
    if (close != std::string_view::npos && close > i + 1) {
      if (auto value = environment(std::string(text.substr(i + 1, close - i - 1)))) {
        out += *value;
        i = close + 1;
        continue;
      }
    }
    out += '%';
    ++i;
  }
  return out;
}

}  // namespace vks
