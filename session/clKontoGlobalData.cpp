#include "session/clKontoGlobalData.h"

#include "platform/automation/VariantConversions.h"

namespace vks {

void clKontoGlobalData::Add(const std::string& Key, const Variant& NewValue) {
  entries_.Add(Key, NewValue);
}

Variant clKontoGlobalData::GetAllKeys() const {
  std::vector<Variant> keys;
  for (const auto& entry : entries_) keys.emplace_back(entry.key);
  return Variant(VariantArray::Vector(0, std::move(keys)));
}

void clKontoGlobalData::Remove(std::string_view Key) {
  if (entries_.Exists(Key)) entries_.Remove(Key);
}

bool clKontoGlobalData::KeyExists(std::string_view Key) const {
  return entries_.Exists(Key);
}

bool clKontoGlobalData::AddCategory(const std::string& Key) {
  try {
    if (entries_.Exists(Key)) return false;
    entries_.Add(Key, Variant(ObjectRef(std::make_shared<clKontoGlobalData>())));
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

Variant clKontoGlobalData::Item(std::string_view Key) const {
  const Variant* value = entries_.Find(Key);
  return value ? *value : Variant();
}

void clKontoGlobalData::Item(const std::string& Key, const Variant& NewValue) {
  try {
    if (Variant* value = entries_.Find(Key)) {
      *value = NewValue;
    } else {
      entries_.Add(Key, NewValue);
    }
  } catch (const std::exception&) {
    // Writing an entry never reports a failure to the script.
  }
}

void clKontoGlobalData::RemoveAll() {
  entries_.RemoveAll();
}

std::vector<Variant> clKontoGlobalData::Enumerate() {
  std::vector<Variant> keys;
  for (const auto& entry : entries_) keys.emplace_back(entry.key);
  return keys;
}

Variant clKontoGlobalData::Invoke(std::string_view name, InvokeKind kind, std::span<Variant> args) {
  const std::string member = FoldCase(name);
  const auto require = [&](size_t count) {
    if (args.size() != count) throw AutomationError(error::kWrongArgumentCount);
  };
  const bool assigning = kind == InvokeKind::PropertyLet || kind == InvokeKind::PropertySet;
  if (member.empty() || member == "item") {
    if (assigning) {
      require(2);
      Item(ToString(args[0]), args[1]);
      return Variant();
    }
    require(1);
    return Item(ToString(args[0]));
  }
  if (assigning) throw AutomationError(error::kWrongArgumentCount);
  if (member == "add") {
    require(2);
    Add(ToString(args[0]), args[1]);
    return Variant();
  }
  if (member == "getallkeys") {
    require(0);
    return GetAllKeys();
  }
  if (member == "remove") {
    require(1);
    Remove(ToString(args[0]));
    return Variant();
  }
  if (member == "keyexists") {
    require(1);
    return Variant(KeyExists(ToString(args[0])));
  }
  if (member == "addcategory") {
    require(1);
    return Variant(AddCategory(ToString(args[0])));
  }
  if (member == "removeall") {
    require(0);
    RemoveAll();
    return Variant();
  }
  throw AutomationError(error::kMemberNotFound);
}

}  // namespace vks
