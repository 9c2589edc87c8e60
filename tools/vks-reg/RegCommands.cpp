#include "tools/vks-reg/RegCommands.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>

#include "platform/automation/KeyedDictionary.h"
#include "platform/files/FileSystem.h"
#include "platform/settings/RegistryPath.h"
#include "tools/vks-reg/RegFile.h"

namespace vks {

namespace {

constexpr const char* kDone = "Der Vorgang wurde erfolgreich beendet.";

struct TypeName {
  const char* name;
  int32_t type;
};
constexpr TypeName kTypeNames[] = {
    {"REG_NONE", REG_NONE},           {"REG_SZ", REG_SZ},
    {"REG_EXPAND_SZ", REG_EXPAND_SZ}, {"REG_BINARY", REG_BINARY},
    {"REG_DWORD", REG_DWORD},         {"REG_DWORD_BIG_ENDIAN", REG_DWORD_BIG_ENDIAN},
    {"REG_LINK", REG_LINK},           {"REG_MULTI_SZ", REG_MULTI_SZ},
};

std::string TypeText(int32_t type) {
  for (const TypeName& t : kTypeNames) {
    if (t.type == type) return t.name;
  }
  return "REG_" + std::to_string(type);
}

// Command line: positional arguments and /switches (a switch followed by its argument where it
// takes one).
struct Parsed {
  std::vector<std::string> positional;
  std::map<std::string, std::string> options;  // folded switch -> argument ("" for flags)
};

Result<Parsed> Parse(const std::vector<std::string>& args, size_t from) {
  // Only these are switches: anything else beginning with "/" is a file path.
  static const std::string kFlags[] = {"/ve", "/va", "/f", "/s", "/y", "/regedit4"};
  static const std::string kWithArgument[] = {"/v", "/t", "/d"};
  const auto is = [](const auto& list, const std::string& option) {
    return std::find(std::begin(list), std::end(list), option) != std::end(list);
  };
  Parsed parsed;
  for (size_t i = from; i < args.size(); ++i) {
    const std::string option = FoldCase(args[i]);
    if (is(kWithArgument, option)) {
      if (i + 1 >= args.size()) return InvalidRegistryArgument(args[i] + " ohne Angabe");
      parsed.options[option] = args[++i];
    } else if (is(kFlags, option)) {
      parsed.options[option] = "";
    } else {
      parsed.positional.push_back(args[i]);
    }
  }
  return parsed;
}

std::string DataText(const RegistryValue& value) {
  const auto& d = value.data;
  switch (value.type) {
    case REG_SZ:
    case REG_EXPAND_SZ:
      return std::string(d.begin(), d.end() - (d.empty() || d.back() != 0 ? 0 : 1));
    case REG_MULTI_SZ: {
      std::string text;
      for (size_t i = 0; i < d.size(); ++i) {
        if (d[i] != 0) {
          text += static_cast<char>(d[i]);
        } else if (i + 1 < d.size() && d[i + 1] != 0) {
          text += "\\0";
        }
      }
      return text;
    }
    case REG_DWORD:
      if (d.size() == 4) {
        std::ostringstream hex;
        hex << "0x" << std::hex
            << (d[0] | (uint32_t{d[1]} << 8) | (uint32_t{d[2]} << 16) | (uint32_t{d[3]} << 24));
        return hex.str();
      }
      [[fallthrough]];
    default: {
      std::string text;
      for (uint8_t byte : d) {
        static constexpr char kDigits[] = "0123456789ABCDEF";
        text += kDigits[byte >> 4];
        text += kDigits[byte & 15];
      }
      return text;
    }
  }
}

Result<RegistryValue> DataFromText(int32_t type, const std::string& text) {
  switch (type) {
    case REG_SZ:
    case REG_EXPAND_SZ:
      return StringValue(text, type);
    case REG_MULTI_SZ: {
      RegistryValue value{REG_MULTI_SZ, {}};
      for (size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, 2, "\\0") == 0) {
          value.data.push_back(0);
          ++i;
        } else {
          value.data.push_back(static_cast<uint8_t>(text[i]));
        }
      }
      value.data.push_back(0);
      value.data.push_back(0);
      return value;
    }
    case REG_DWORD:
    case REG_DWORD_BIG_ENDIAN: {
      size_t used = 0;
      unsigned long long number = 0;
      try {
        number = std::stoull(text.empty() ? "0" : text, &used, 0);
      } catch (const std::exception&) {
        used = 0;
      }
      if ((!text.empty() && used != text.size()) || number > 0xFFFFFFFFull ||
          text.starts_with('-')) {
        return InvalidRegistryArgument("'" + text + "' ist keine Zahl von 0 bis 4294967295");
      }
      RegistryValue value = DwordValue(static_cast<uint32_t>(number));
      if (type == REG_DWORD_BIG_ENDIAN) {
        std::swap(value.data[0], value.data[3]);
        std::swap(value.data[1], value.data[2]);
        value.type = REG_DWORD_BIG_ENDIAN;
      }
      return value;
    }
    default: {
      if (text.size() % 2 != 0 ||
          text.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) {
        return InvalidRegistryArgument("'" + text + "' sind keine Hexbytes");
      }
      RegistryValue value{type, {}};
      for (size_t i = 0; i < text.size(); i += 2) {
        value.data.push_back(static_cast<uint8_t>(std::stoul(text.substr(i, 2), nullptr, 16)));
      }
      return value;
    }
  }
}

class Commands {
 public:
  Commands(RegistryBackend& registry, std::ostream& out) : registry_(registry), out_(out) {}

  // The last error was in the command line itself, found before the registry was touched.
  bool UsageError() const { return usage_error_; }
  AutomationError Usage(const std::string& detail) {
    usage_error_ = true;
    return InvalidRegistryArgument(detail);
  }
  AutomationError Usage(const AutomationError& error) {
    usage_error_ = true;
    return error;
  }

  Result<bool> Query(const Parsed& p) {
    auto key = OneKey(p);
    if (!key.ok()) return key.error();
    auto name = ValueName(p);
    if (name) {
      auto value = registry_.GetValue(key->root, key->path, *name);
      if (!value.ok()) return value.error();
      if (!value.value()) return NotFound();
      out_ << FullKeyName(key.value()) << "\n";
      PrintValue(StoredName(key.value(), *name), *value.value());
      return true;
    }
    return QueryKey(key.value(), p.options.count("/s") > 0);
  }

  Result<bool> Add(const Parsed& p) {
    auto key = OneKey(p);
    if (!key.ok()) return key.error();
    auto name = ValueName(p);
    if (!name) {
      if (p.options.count("/t") || p.options.count("/d")) {
        return Usage("/t und /d brauchen /v oder /ve");
      }
      auto created = registry_.CreateKey(key->root, key->path);
      if (!created.ok()) return created.error();
      return Done();
    }
    int32_t type = REG_SZ;
    if (auto t = p.options.find("/t"); t != p.options.end()) {
      auto known =
          std::find_if(std::begin(kTypeNames), std::end(kTypeNames),
                       [&](const TypeName& n) { return FoldCase(n.name) == FoldCase(t->second); });
      if (known == std::end(kTypeNames)) return Usage("Typ " + t->second);
      type = known->type;
    }
    const auto d = p.options.find("/d");
    auto value = DataFromText(type, d == p.options.end() ? "" : d->second);
    if (!value.ok()) return Usage(value.error());
    auto set = registry_.SetValue(key->root, key->path, *name, value.value());
    if (!set.ok()) return set.error();
    return Done();
  }

  Result<bool> Delete(const Parsed& p) {
    auto key = OneKey(p);
    if (!key.ok()) return key.error();
    Result<bool> deleted = false;
    if (p.options.count("/va")) {
      auto names = registry_.EnumerateValues(key->root, key->path);
      if (!names.ok()) return names.error();
      if (!names.value()) return NotFound();
      for (const std::string& name : *names.value()) {
        if (auto one = registry_.DeleteValue(key->root, key->path, name); !one.ok()) return one;
      }
      return Done();
    }
    if (auto name = ValueName(p)) {
      deleted = registry_.DeleteValue(key->root, key->path, *name);
    } else {
      deleted = registry_.DeleteTree(key->root, key->path);
    }
    if (!deleted.ok()) return deleted;
    if (!deleted.value()) return NotFound();
    return Done();
  }

  Result<bool> Export(const Parsed& p) {
    if (p.positional.empty() || p.positional.size() > 2) {
      return Usage(UnknownSwitch(p, 1).value_or("export [SCHLÜSSEL] DATEI"));
    }
    std::vector<RegKeyName> keys;
    if (p.positional.size() == 2) {
      auto key = ParseRegKeyName(p.positional[0]);
      if (!key.ok()) return Usage(key.error());
      keys.push_back(key.value());
    } else {
      for (ERegistryClassConstants root : kRegistryRoots) keys.push_back(RegKeyName{root, ""});
    }
    const auto version =
        p.options.count("/regedit4") ? RegFileVersion::Regedit4 : RegFileVersion::Version5;
    auto bytes = WriteRegFile(registry_, keys, version);
    if (!bytes.ok()) return bytes.error();
    const std::string& file = p.positional.back();
    std::ofstream stream(file, std::ios::binary | std::ios::trunc);
    stream.write(bytes->data(), static_cast<std::streamsize>(bytes->size()));
    stream.close();
    if (!stream) return FileError(file);
    return Done();
  }

  Result<bool> Import(const Parsed& p) {
    if (p.positional.size() != 1) return Usage(UnknownSwitch(p, 1).value_or("import DATEI"));
    std::string bytes;
    try {
      bytes = NewPlatformFileSystem()->ReadFile(p.positional[0]);
    } catch (const AutomationError&) {
      return FileError(p.positional[0]);
    }
    auto applied = ImportRegFile(registry_, bytes);
    if (!applied.ok()) return applied.error();
    return Done();
  }

 private:
  Result<RegKeyName> OneKey(const Parsed& p) {
    if (p.positional.size() != 1) {
      return Usage(UnknownSwitch(p, 0).value_or("genau ein Schlüssel erwartet"));
    }
    auto key = ParseRegKeyName(p.positional[0]);
    if (!key.ok()) return Usage(key.error());
    return key;
  }
  // A key never begins with "/", a file may: an argument that does, beyond the last `files`
  // arguments, is a switch that no command knows.
  static std::optional<std::string> UnknownSwitch(const Parsed& p, size_t files) {
    for (size_t i = 0; i + files < p.positional.size(); ++i) {
      if (p.positional[i].starts_with('/')) return "unbekannter Schalter '" + p.positional[i] + "'";
    }
    return std::nullopt;
  }
  static std::optional<std::string> ValueName(const Parsed& p) {
    if (p.options.count("/ve")) return std::string();
    if (auto v = p.options.find("/v"); v != p.options.end()) return v->second;
    return std::nullopt;
  }
  static AutomationError NotFound() {
    return AutomationError(
        error::kElementNotFound, std::string(kRegistryErrorSource),
        "Der angegebene Registrierungsschlüssel bzw. Wert wurde nicht gefunden.");
  }
  static AutomationError FileError(const std::string& file) {
    return AutomationError(75, std::string(kRegistryErrorSource),
                           std::string(ErrorDescription(75)) + " (" + file + ")");
  }
  Result<bool> Done() {
    out_ << kDone << "\n";
    return true;
  }

  // The value's name as it was created, for a name typed in any case.
  std::string StoredName(const RegKeyName& key, const std::string& name) {
    auto names = registry_.EnumerateValues(key.root, key.path);
    if (names.ok() && names.value()) {
      for (const std::string& stored : *names.value()) {
        if (RegistryFold(stored) == RegistryFold(name)) return stored;
      }
    }
    return name;
  }

  void PrintValue(const std::string& name, const RegistryValue& value) {
    out_ << "    " << (name.empty() ? "(Standard)" : name) << "    " << TypeText(value.type)
         << "    " << DataText(value) << "\n";
  }

  Result<bool> QueryKey(const RegKeyName& key, bool recursive) {
    auto names = registry_.EnumerateValues(key.root, key.path);
    if (!names.ok()) return names.error();
    if (!names.value()) return NotFound();
    out_ << FullKeyName(key) << "\n";
    for (const std::string& name : *names.value()) {
      auto value = registry_.GetValue(key.root, key.path, name);
      if (!value.ok()) return value.error();
      if (value.value()) PrintValue(name, *value.value());
    }
    auto subkeys = registry_.EnumerateSubkeys(key.root, key.path);
    if (!subkeys.ok()) return subkeys.error();
    out_ << "\n";
    for (const std::string& subkey : subkeys.value().value_or(std::vector<std::string>{})) {
      RegKeyName child{key.root, key.path.empty() ? subkey : key.path + "\\" + subkey};
      if (recursive) {
        if (auto listed = QueryKey(child, true); !listed.ok()) return listed;
      } else {
        out_ << FullKeyName(child) << "\n";
      }
    }
    return true;
  }

  RegistryBackend& registry_;
  std::ostream& out_;
  bool usage_error_ = false;
};

}  // namespace

int RunRegCommand(const std::vector<std::string>& args, RegistryBackend& registry,
                  std::ostream& out, std::ostream& err) {
  if (args.empty()) {
    err << "FEHLER: Befehl fehlt (query, add, delete, export, import).\n";
    return 2;
  }
  auto parsed = Parse(args, 1);
  Commands commands(registry, out);
  Result<bool> result = false;
  if (!parsed.ok()) {
    result = commands.Usage(parsed.error());
  } else {
    const std::string command = FoldCase(args[0]);
    if (command == "query") {
      result = commands.Query(parsed.value());
    } else if (command == "add") {
      result = commands.Add(parsed.value());
    } else if (command == "delete") {
      result = commands.Delete(parsed.value());
    } else if (command == "export") {
      result = commands.Export(parsed.value());
    } else if (command == "import") {
      result = commands.Import(parsed.value());
    } else {
      result = commands.Usage("unbekannter Befehl '" + args[0] + "'");
    }
  }
  if (result.ok()) return 0;
  err << "FEHLER: " << result.error().Description() << "\n";
  return commands.UsageError() ? 2 : 1;
}

}  // namespace vks
