#include "platform/settings/clRegistry.h"

#include "platform/automation/VariantConversions.h"
#include "platform/settings/RegistryPath.h"

namespace vks {

namespace {

// A remote computer's registry cannot be reached from here: every connection fails, so reads give
// Default and writes do nothing, as with an unreachable computer.
bool RemoteConnectionFails(const std::string& machine) {
  return !machine.empty();
}

std::string TextOf(const std::vector<uint8_t>& data) {
  return data.empty() ? std::string() : std::string(data.begin(), data.end() - 1);
}

uint32_t LittleEndian32(const std::vector<uint8_t>& data) {
  uint32_t number = 0;
  for (size_t i = 0; i < 4 && i < data.size(); ++i) number |= uint32_t{data[i]} << (8 * i);
  return number;
}

// REG_EXPAND_SZ when a "%" is followed, two or more positions later, by another "%".
int32_t TextType(const std::string& text) {
  const size_t first = text.find('%');
  return first != std::string::npos && text.find('%', first + 2) != std::string::npos
             ? REG_EXPAND_SZ
             : REG_SZ;
}

}  // namespace

clRegistry::clRegistry(RegistryBackend& backend, std::string program_name,
                       EnvironmentLookup environment)
    : backend_(backend),
      error_source_(std::move(program_name) + ".cRegistry"),
      environment_(std::move(environment)) {}

AutomationError clRegistry::Raise(int32_t number, std::string description) const {
  return AutomationError(number, error_source_, std::move(description));
}

void clRegistry::Machine(std::string_view machine) {
  if (machine.size() < 3) {
    machine_.clear();
  } else if (machine.starts_with("\\\\")) {
    machine_ = machine;
  } else {
    machine_ = "\\\\" + std::string(machine);
  }
}

bool clRegistry::KeyExists() {
  auto root = RegistryRootFromNumber(class_key_);
  if (!root) return false;
  auto exists = backend_.KeyExists(*root, section_key_);
  return exists.ok() && exists.value();
}

bool clRegistry::CreateKey() {
  auto root = RegistryRootFromNumber(class_key_);
  if (!root || !backend_.CreateKey(*root, section_key_).ok()) {
    throw Raise(kRegistryKeyError, "Failed to create registry Key: '" + section_key_);
  }
  return true;
}

bool clRegistry::DeleteKey() {
  auto root = RegistryRootFromNumber(class_key_);
  Result<bool> deleted = root ? backend_.DeleteKey(*root, section_key_) : Result<bool>(false);
  if (!deleted.ok() || !deleted.value()) {
    throw Raise(kRegistryKeyError, "Failed to delete registry Key: '" + ClassKeyText() +
                                       "',Section: '" + section_key_);
  }
  return true;
}

bool clRegistry::DeleteValue() {
  auto root = RegistryRootFromNumber(class_key_);
  auto exists = root ? backend_.KeyExists(*root, section_key_) : Result<bool>(false);
  if (!exists.ok() || !exists.value()) {
    throw Raise(kRegistryKeyError, "Failed to open key '" + ClassKeyText() + "',Section: '" +
                                       section_key_ + "' for delete access");
  }
  auto deleted = backend_.DeleteValue(*root, section_key_, value_key_);
  if (!deleted.ok() || !deleted.value()) {
    throw Raise(kRegistryKeyError, "Failed to delete registry Key: '" + ClassKeyText() +
                                       "',Section: '" + section_key_ + "',Key: '" + value_key_);
  }
  return true;
}

Variant clRegistry::Value() {
  if (RemoteConnectionFails(machine_)) return default_;
  auto root = RegistryRootFromNumber(class_key_);
  if (!root) return default_;
  auto read = backend_.GetValue(*root, section_key_, value_key_);
  if (!read.ok() || !read.value()) return default_;
  const RegistryValue& stored = *read.value();
  value_type_ = stored.type;
  switch (stored.type) {
    case REG_SZ:
    case REG_MULTI_SZ:
      return Variant(TextOf(stored.data));
    case REG_EXPAND_SZ:
      return Variant(ExpandEnvironmentStrings(TextOf(stored.data), environment_));
    case REG_DWORD:
      return Variant(static_cast<int32_t>(LittleEndian32(stored.data)));
    case REG_DWORD_BIG_ENDIAN: {
      const uint32_t n = LittleEndian32(stored.data);
      return Variant(static_cast<int32_t>((n >> 24) | ((n >> 8) & 0xFF00u) |
                                          ((n << 8) & 0xFF0000u) | (n << 24)));
    }
    default: {
      std::vector<Variant> bytes(stored.data.begin(), stored.data.end());
      return Variant(VariantArray::Vector(0, std::move(bytes)));
    }
  }
}

std::string clRegistry::SetValueFailure(const Variant& new_value) const {
  std::string text;
  try {
    text = ToString(new_value);
  } catch (const AutomationError&) {
    // An array or Null has no text; the message then shows none.
  }
  return "Failed to set registry value Key: '" + ClassKeyText() + "',Section: '" + section_key_ +
         "',Key: '" + value_key_ + "' to value: '" + text + "'";
}

void clRegistry::Value(const Variant& new_value) {
  if (RemoteConnectionFails(machine_)) return;
  auto root = RegistryRootFromNumber(class_key_);
  if (!root || !backend_.CreateKey(*root, section_key_).ok()) {
    throw Raise(kRegistryKeyError, SetValueFailure(new_value));
  }
  std::optional<RegistryValue> data;
  try {
    switch (value_type_) {
      case REG_SZ:
      case REG_EXPAND_SZ: {
        const std::string text = ToString(new_value);
        data = StringValue(text, TextType(text));
        break;
      }
      case REG_BINARY: {
        if (!new_value.IsArray() || new_value.AsArray().Dimensions() != 1) {
          throw AutomationError(kRegistryKeyError, "", "");
        }
        RegistryValue bytes{REG_BINARY, {}};
        for (const Variant& element : new_value.AsArray().Elements()) {
          if (element.Type() != VarType::Byte) throw AutomationError(kRegistryKeyError, "", "");
          bytes.data.push_back(element.AsByte());
        }
        data = std::move(bytes);
        break;
      }
      case REG_DWORD:
      case REG_DWORD_BIG_ENDIAN:
        // Integers go in as they are; other numbers, Booleans and numeric text are converted, and
        // what cannot become a Long fails the write.
        data = DwordValue(static_cast<uint32_t>(ToLong(new_value)));
        break;
      default:
        break;  // no writable type: the write fails as with type mismatch
    }
  } catch (const AutomationError& e) {
    if (e.Number() == kRegistryKeyError) throw;
    data.reset();
  }
  if (!data || !backend_.SetValue(*root, section_key_, value_key_, *data).ok()) {
    throw Raise(kRegistryWriteError, SetValueFailure(new_value));
  }
}

Variant clRegistry::ValueEx(int32_t class_key, std::string section_key, std::string value_key,
                            int32_t value_type, Variant default_value) {
  class_key_ = class_key;
  section_key_ = std::move(section_key);
  value_key_ = std::move(value_key);
  value_type_ = value_type;
  default_ = std::move(default_value);
  return Value();
}

void clRegistry::ValueEx(int32_t class_key, std::string section_key, std::string value_key,
                         int32_t value_type, Variant default_value, const Variant& new_value) {
  class_key_ = class_key;
  section_key_ = std::move(section_key);
  value_key_ = std::move(value_key);
  value_type_ = value_type;
  default_ = std::move(default_value);
  bool empty_text = false;
  if (value_type_ == REG_SZ) {
    try {
      empty_text = ToString(new_value).empty();
    } catch (const AutomationError&) {
      // Not text at all: Value reports the failure.
    }
  }
  Value(empty_text ? default_ : new_value);
}

Variant clRegistry::ReadNames(bool sections) {
  auto root = RegistryRootFromNumber(class_key_);
  if (!root) return Variant();
  auto names = sections ? backend_.EnumerateSubkeys(*root, section_key_)
                        : backend_.EnumerateValues(*root, section_key_);
  if (!names.ok() || !names.value()) return Variant();
  std::vector<Variant> listed;
  for (const std::string& name : *names.value()) {
    // Subkey names are read into a 255-character buffer: one that does not fit ends the list.
    if (sections && Utf8Length(name).value_or(0) >= 255) break;
    listed.emplace_back(name);
  }
  if (listed.empty()) return Variant();
  return Variant(VariantArray::Vector(1, std::move(listed)));
}

Variant clRegistry::EnumerateValues() {
  return ReadNames(false);
}
Variant clRegistry::EnumerateSections() {
  return ReadNames(true);
}

}  // namespace vks
