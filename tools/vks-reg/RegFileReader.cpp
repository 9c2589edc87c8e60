#include <optional>

#include "platform/automation/Windows1252.h"
#include "platform/settings/RegistryPath.h"
#include "tools/vks-reg/RegFile.h"

namespace vks {

namespace {

// One change the file asks for; applied only after the whole file has been read.
struct Change {
  enum Kind { kCreateKey, kDeleteTree, kSetValue, kDeleteValue } kind;
  RegKeyName key;
  std::string name;
  RegistryValue value;
};

class RegFileReader {
 public:
  Result<std::vector<Change>> Read(std::string_view bytes) {
    auto text = Decode(bytes);
    if (!text.ok()) return text.error();
    std::vector<std::string> lines = Lines(text.value());
    size_t i = 0;
    while (i < lines.size() && Trim(lines[i]).empty()) ++i;
    if (i == lines.size()) return Fail(0, "keine Kopfzeile");
    const std::string_view header = Trim(lines[i]);
    if (header == kRegedit4Header) {
      version_ = RegFileVersion::Regedit4;
    } else if (header == kVersion5Header) {
      version_ = RegFileVersion::Version5;
    } else {
      return Fail(i + 1, "unbekannte Kopfzeile");
    }
    for (++i; i < lines.size(); ++i) {
      const size_t first_line = i + 1;
      std::string line(Trim(lines[i]));
      // Hex data goes on over lines that end with a backslash.
      while (!line.empty() && line.back() == '\\' && line.find("=hex") != std::string::npos &&
             i + 1 < lines.size()) {
        line.pop_back();
        line += Trim(lines[++i]);
      }
      if (auto error = ReadLine(line, first_line)) return *error;
    }
    return std::move(changes_);
  }

 private:
  Result<std::string> Decode(std::string_view bytes) {
    if (bytes.starts_with("\xFF\xFE")) return Utf16LeToUtf8(bytes.substr(2));
    if (bytes.starts_with("\xEF\xBB\xBF")) return std::string(bytes.substr(3));
    if (bytes.starts_with(kRegedit4Header)) return Windows1252ToUtf8(bytes);
    return std::string(bytes);
  }

  static std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start <= text.size()) {
      size_t end = text.find('\n', start);
      if (end == std::string::npos) end = text.size();
      std::string line = text.substr(start, end - start);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines.push_back(std::move(line));
      start = end + 1;
    }
    return lines;
  }

  static std::string_view Trim(std::string_view s) {
    const size_t first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
  }

  static AutomationError Fail(size_t line, std::string_view why) {
    return InvalidRegistryArgument("Zeile " + std::to_string(line) + ": " + std::string(why));
  }
  // The reason inside an error 5 made by InvalidRegistryArgument, without the table text around it.
  static AutomationError Fail(size_t line, const AutomationError& error) {
    std::string_view why = error.Description();
    const std::string prefix = std::string(ErrorDescription(error::kInvalidCall)) + " (";
    if (why.starts_with(prefix) && why.ends_with(')')) {
      why = why.substr(prefix.size(), why.size() - prefix.size() - 1);
    }
    return Fail(line, why);
  }

  std::optional<AutomationError> ReadLine(std::string_view line, size_t number) {
    if (line.empty() || line[0] == ';') return std::nullopt;
    if (line[0] == '[') {
      if (line.back() != ']') return Fail(number, "']' fehlt");
      std::string_view name = line.substr(1, line.size() - 2);
      const bool remove = name.starts_with('-');
      if (remove) name.remove_prefix(1);
      auto key = ParseRegKeyName(name);
      if (!key.ok()) return Fail(number, key.error());
      current_ = key.value();
      changes_.push_back(
          Change{remove ? Change::kDeleteTree : Change::kCreateKey, *current_, {}, {}});
      if (remove) current_.reset();
      return std::nullopt;
    }
    if (!current_) return Fail(number, "Wert ohne Schlüssel");
    std::string name;
    size_t pos = 0;
    if (line[0] == '@') {
      pos = 1;
    } else if (line[0] == '"') {
      auto end = Unquote(line, 0, name);
      if (!end) return Fail(number, "'\"' fehlt");
      pos = *end;
    } else {
      return Fail(number, "unverständliche Zeile");
    }
    if (pos >= line.size() || line[pos] != '=') return Fail(number, "'=' fehlt");
    if (auto error = CheckValueName(name)) return Fail(number, *error);
    const std::string_view data = Trim(line.substr(pos + 1));
    if (data == "-") {
      changes_.push_back(Change{Change::kDeleteValue, *current_, name, {}});
      return std::nullopt;
    }
    auto value = ReadData(data);
    if (!value.ok()) return Fail(number, value.error());
    changes_.push_back(Change{Change::kSetValue, *current_, name, std::move(value.value())});
    return std::nullopt;
  }

  // Reads a quoted text starting at line[start]; returns the position after its closing quote.
  static std::optional<size_t> Unquote(std::string_view line, size_t start, std::string& out) {
    for (size_t i = start + 1; i < line.size(); ++i) {
      if (line[i] == '\\' && i + 1 < line.size()) {
        out += line[++i];
      } else if (line[i] == '"') {
        return i + 1;
      } else {
        out += line[i];
      }
    }
    return std::nullopt;
  }

  Result<RegistryValue> ReadData(std::string_view data) {
    if (data.starts_with('"')) {
      std::string text;
      auto end = Unquote(data, 0, text);
      if (!end || *end != data.size()) return InvalidRegistryArgument("Text ohne Ende");
      return StringValue(text);
    }
    if (data.starts_with("dword:")) {
      const std::string_view digits = data.substr(6);
      if (digits.size() != 8 ||
          digits.find_first_not_of("0123456789abcdefABCDEF") != std::string_view::npos) {
        return InvalidRegistryArgument("dword braucht 8 Hexziffern");
      }
      return DwordValue(static_cast<uint32_t>(std::stoul(std::string(digits), nullptr, 16)));
    }
    int32_t type = REG_BINARY;
    size_t colon;
    if (data.starts_with("hex:")) {
      colon = 3;
    } else if (data.starts_with("hex(")) {
      const size_t close = data.find("):");
      const std::string_view number =
          data.substr(4, close == std::string_view::npos ? 0 : close - 4);
      if (number.empty() || number.size() > 8 ||
          number.find_first_not_of("0123456789abcdefABCDEF") != std::string_view::npos) {
        return InvalidRegistryArgument("hex(Typ) unverständlich");
      }
      type = static_cast<int32_t>(std::stoul(std::string(number), nullptr, 16));
      colon = close + 1;
    } else {
      return InvalidRegistryArgument("unbekannte Datenart");
    }
    std::string bytes;
    std::string_view list = data.substr(colon + 1);
    while (!list.empty()) {
      const size_t comma = list.find(',');
      const std::string_view item = Trim(list.substr(0, comma));
      if (item.size() != 2 ||
          item.find_first_not_of("0123456789abcdefABCDEF") != std::string_view::npos) {
        return InvalidRegistryArgument("Byte '" + std::string(item) + "' unverständlich");
      }
      bytes += static_cast<char>(std::stoul(std::string(item), nullptr, 16));
      if (comma == std::string_view::npos) break;
      list.remove_prefix(comma + 1);
    }
    if (type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ) {
      if (version_ == RegFileVersion::Version5) {
        auto text = Utf16LeToUtf8(bytes);
        if (!text.ok()) return text.error();
        bytes = std::move(text.value());
      } else {
        bytes = Windows1252ToUtf8(bytes);
      }
    }
    return RegistryValue{type, std::vector<uint8_t>(bytes.begin(), bytes.end())};
  }

  RegFileVersion version_ = RegFileVersion::Version5;
  std::optional<RegKeyName> current_;
  std::vector<Change> changes_;
};

}  // namespace

Result<int> ImportRegFile(RegistryBackend& registry, std::string_view bytes) {
  auto changes = RegFileReader().Read(bytes);
  if (!changes.ok()) return changes.error();
  int applied = 0;
  for (const Change& change : changes.value()) {
    Result<bool> done = true;
    switch (change.kind) {
      case Change::kCreateKey:
        done = registry.CreateKey(change.key.root, change.key.path);
        break;
      case Change::kDeleteTree:
        done = registry.DeleteTree(change.key.root, change.key.path);
        break;
      case Change::kSetValue:
        done = registry.SetValue(change.key.root, change.key.path, change.name, change.value);
        break;
      case Change::kDeleteValue:
        done = registry.DeleteValue(change.key.root, change.key.path, change.name);
        break;
    }
    if (!done.ok()) return done.error();
    ++applied;
  }
  return applied;
}

}  // namespace vks
