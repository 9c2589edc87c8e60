#include "vbscript/ScriptingDictionary.h"

#include <cstdio>

#include "platform/automation/VariantConversions.h"
#include "vbscript/Names.h"

namespace vks::vbscript {

std::string ScriptingDictionary::KeyText(const Variant& key) {
  switch (key.Type()) {
    case VarType::String:
      return "s" + key.AsString();
    case VarType::Object: {
      char buf[32];
      std::snprintf(buf, sizeof buf, "o%p", static_cast<const void*>(key.AsObject().get()));
      return buf;
    }
    case VarType::Empty:
      return "e";
    case VarType::Null:
      return "z";
    default:
      if (key.IsArray()) throw AutomationError(error::kTypeMismatch);
      return "n" + FormatDouble(ToDouble(key), AutomationLocale::Invariant());
  }
}

std::pair<Variant, Variant>* ScriptingDictionary::Find(const Variant& key) {
  return entries_.Find(KeyText(key));
}

std::pair<Variant, Variant>& ScriptingDictionary::Item(const Variant& key) {
  if (auto* e = Find(key)) return *e;
  return entries_.Add(KeyText(key), {key, Variant()});
}

std::vector<Variant> ScriptingDictionary::Enumerate() {
  std::vector<Variant> keys;
  for (auto& e : entries_) keys.push_back(e.value.first);
  return keys;
}

Variant ScriptingDictionary::Invoke(std::string_view name, InvokeKind kind,
                                    std::span<Variant> args) {
  std::string n = FoldName(name);
  bool put = kind == InvokeKind::PropertyLet || kind == InvokeKind::PropertySet;
  auto need = [&](size_t count) {
    if (args.size() != count) throw AutomationError(error::kWrongArgumentCount);
  };
  if (n.empty() || n == "item") {
    if (put) {
      need(2);
      Item(args[0]).second = args[1];
      return {};
    }
    need(1);
    return Item(args[0]).second;
  }
  if (n == "add") {
    need(2);
    entries_.Add(KeyText(args[0]), {args[0], args[1]});
    return {};
  }
  if (n == "exists") {
    need(1);
    return Variant(Find(args[0]) != nullptr);
  }
  if (n == "count") {
    need(0);
    return Variant(static_cast<int32_t>(entries_.Count()));
  }
  if (n == "remove") {
    need(1);
    entries_.Remove(KeyText(args[0]));
    return {};
  }
  if (n == "removeall") {
    entries_.RemoveAll();
    return {};
  }
  if (n == "keys" || n == "items") {
    std::vector<Variant> out;
    for (auto& e : entries_) out.push_back(n == "keys" ? e.value.first : e.value.second);
    return Variant(VariantArray::Vector(0, std::move(out)));
  }
  if (n == "key" && put) {
    need(2);
    auto* e = Find(args[0]);
    if (!e) throw AutomationError(error::kElementNotFound);
    std::string new_text = KeyText(args[1]);
    entries_.Rename(KeyText(args[0]), new_text);
    entries_.Item(new_text).first = args[1];
    return {};
  }
  if (n == "comparemode") {
    if (put) {
      need(1);
      int32_t mode = ToLong(args[0]);
      if (mode < 0) throw AutomationError(error::kInvalidCall);
      entries_.SetMode(mode == 0 ? CompareMode::Binary : CompareMode::Text);
      return {};
    }
    return Variant(static_cast<int32_t>(entries_.Mode() == CompareMode::Text ? 1 : 0));
  }
  throw AutomationError(error::kMemberNotFound);
}

}  // namespace vks::vbscript
