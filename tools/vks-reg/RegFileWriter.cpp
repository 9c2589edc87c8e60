#include <optional>

#include "platform/automation/Windows1252.h"
#include "platform/settings/RegistryPath.h"
#include "tools/vks-reg/RegFile.h"

namespace vks {

namespace {

// Hex data lines are wrapped as the registry editor wraps them, near 80 columns.
constexpr size_t kLineWidth = 76;

class RegFileWriter {
 public:
  RegFileWriter(RegistryBackend& registry, RegFileVersion version)
      : registry_(registry), version_(version) {}

  Result<std::string> Write(const std::vector<RegKeyName>& keys) {
    text_ = std::string(version_ == RegFileVersion::Regedit4 ? kRegedit4Header : kVersion5Header);
    text_ += "\r\n\r\n";
    for (const RegKeyName& key : keys) {
      if (auto written = WriteKey(key); !written.ok()) return written.error();
    }
    if (error_) return *error_;
    if (version_ == RegFileVersion::Version5) return "\xFF\xFE" + Utf8ToUtf16Le(text_);
    auto bytes = Utf8ToWindows1252(text_);
    if (!bytes.ok()) return InvalidRegistryArgument("REGEDIT4: " + bytes.error().Description());
    return std::move(bytes.value());
  }

 private:
  Result<bool> WriteKey(const RegKeyName& key) {
    auto values = registry_.EnumerateValues(key.root, key.path);
    if (!values.ok()) return values.error();
    if (!values.value()) return InvalidRegistryArgument("Schlüssel fehlt: " + FullKeyName(key));
    text_ += '[';
    text_ += FullKeyName(key);
    text_ += "]\r\n";
    for (const std::string& name : *values.value()) {
      auto value = registry_.GetValue(key.root, key.path, name);
      if (!value.ok()) return value.error();
      if (value.value()) WriteValue(name, *value.value());
    }
    text_ += "\r\n";
    auto subkeys = registry_.EnumerateSubkeys(key.root, key.path);
    if (!subkeys.ok()) return subkeys.error();
    for (const std::string& subkey : subkeys.value().value_or(std::vector<std::string>{})) {
      RegKeyName child{key.root, key.path.empty() ? subkey : key.path + "\\" + subkey};
      if (auto written = WriteKey(child); !written.ok()) return written;
    }
    return true;
  }

  static std::string Quoted(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
      if (c == '\\' || c == '"') out += '\\';
      out += c;
    }
    return out + "\"";
  }

  // Plain text: one final NUL, no other NUL and no line break that would end the line.
  static bool IsPlainText(const RegistryValue& value) {
    if (value.data.empty() || value.data.back() != 0) return false;
    for (size_t i = 0; i + 1 < value.data.size(); ++i) {
      if (value.data[i] == 0 || value.data[i] == '\r' || value.data[i] == '\n') return false;
    }
    return Utf8Length(std::string_view(reinterpret_cast<const char*>(value.data.data()),
                                       value.data.size() - 1))
        .has_value();
  }

  void WriteValue(const std::string& name, const RegistryValue& value) {
    std::string line = name.empty() ? "@=" : Quoted(name) + "=";
    if (value.type == REG_SZ && IsPlainText(value)) {
      const std::string text(value.data.begin(), value.data.end() - 1);
      text_ += line + Quoted(text) + "\r\n";
      return;
    }
    if (value.type == REG_DWORD && value.data.size() == 4) {
      char hex[9];
      const uint32_t n = value.data[0] | (uint32_t{value.data[1]} << 8) |
                         (uint32_t{value.data[2]} << 16) | (uint32_t{value.data[3]} << 24);
      snprintf(hex, sizeof hex, "%08x", n);
      text_ += line + "dword:" + hex + "\r\n";
      return;
    }
    std::string bytes(value.data.begin(), value.data.end());
    // Text types carry their text in the file's own code: UTF-16LE or Windows-1252.
    const bool text_type =
        value.type == REG_SZ || value.type == REG_EXPAND_SZ || value.type == REG_MULTI_SZ;
    if (text_type && Utf8Length(bytes)) {
      if (version_ == RegFileVersion::Version5) {
        bytes = Utf8ToUtf16Le(bytes);
      } else if (auto ansi = Utf8ToWindows1252(bytes); ansi.ok()) {
        bytes = ansi.value();
      } else if (!error_) {
        error_ = InvalidRegistryArgument("REGEDIT4: " + ansi.error().Description());
      }
    }
    line += value.type == REG_BINARY ? "hex:" : "hex(" + ToHex(value.type) + "):";
    for (size_t i = 0; i < bytes.size(); ++i) {
      char hex[3];
      snprintf(hex, sizeof hex, "%02x", static_cast<unsigned char>(bytes[i]));
      line += hex;
      if (i + 1 < bytes.size()) {
        line += ',';
        if (line.size() > kLineWidth) {
          text_ += line + "\\\r\n";
          line = "  ";
        }
      }
    }
    text_ += line + "\r\n";
  }

  static std::string ToHex(int32_t number) {
    char hex[9];
    snprintf(hex, sizeof hex, "%x", static_cast<unsigned>(number));
    return hex;
  }

  RegistryBackend& registry_;
  RegFileVersion version_;
  std::string text_;
  std::optional<AutomationError> error_;  // the first text that REGEDIT4 cannot hold
};

}  // namespace

Result<std::string> WriteRegFile(RegistryBackend& registry, const std::vector<RegKeyName>& keys,
                                 RegFileVersion version) {
  return RegFileWriter(registry, version).Write(keys);
}

}  // namespace vks
