#include "adapters/dbus/ContractXml.h"

#include <string>

namespace vks::dbus {

std::optional<std::string_view> ContractInterface(std::string_view name) {
  const std::string_view xml = ContractXmlText();
  const std::string open = "<interface name=\"" + std::string(name) + "\">";
  const size_t start = xml.find(open);
  if (start == std::string_view::npos) return std::nullopt;
  constexpr std::string_view kClose = "</interface>";
  const size_t end = xml.find(kClose, start);
  if (end == std::string_view::npos) return std::nullopt;
  const size_t line = xml.rfind('\n', start);
  const size_t from = line == std::string_view::npos ? start : line + 1;
  size_t to = end + kClose.size();
  if (to < xml.size() && xml[to] == '\n') ++to;
  return xml.substr(from, to - from);
}

}  // namespace vks::dbus
