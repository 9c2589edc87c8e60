#pragma once
// The contract file (interface/VKSKontoServerV7.xml) built into the server: introspection reports
// each interface exactly as the file declares it.
#include <optional>
#include <string_view>

namespace vks::dbus {

// The whole file.
std::string_view ContractXmlText();
// The <interface> element named `name`, from its indentation to its closing line's end; nullopt
// when the file declares no such interface.
std::optional<std::string_view> ContractInterface(std::string_view name);

}  // namespace vks::dbus
