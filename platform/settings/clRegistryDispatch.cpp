// Late-bound access to clRegistry: member names without regard to case, property get and let,
// optional arguments left out as ErrorValue{kParamNotFound}.
#include "platform/automation/KeyedDictionary.h"
#include "platform/automation/VariantConversions.h"
#include "platform/settings/clRegistry.h"

namespace vks {

namespace {

bool IsMissing(const Variant& v) {
  return v.Type() == VarType::Error && v.AsError().scode == ErrorValue::kParamNotFound;
}

void RequireCount(std::span<Variant> args, size_t min, size_t max) {
  if (args.size() < min || args.size() > max) throw AutomationError(error::kWrongArgumentCount);
}

std::string TextArg(std::span<Variant> args, size_t i, const char* fallback) {
  return i < args.size() && !IsMissing(args[i]) ? ToString(args[i]) : std::string(fallback);
}
bool BoolArg(std::span<Variant> args, size_t i) {
  return i < args.size() && !IsMissing(args[i]) && ToBoolean(args[i]);
}

}  // namespace

Variant clRegistry::Invoke(std::string_view name, InvokeKind kind, std::span<Variant> args) {
  const std::string member = FoldCase(name);
  const bool let = kind == InvokeKind::PropertyLet;
  // Methods without arguments are also reached as property gets ("x = reg.CreateKey").
  const auto call = [&](auto&& body) -> Variant {
    if (let || kind == InvokeKind::PropertySet) throw AutomationError(error::kWrongArgumentCount);
    return body();
  };
  // Simple properties: get takes no argument, let exactly the new value.
  const auto property = [&](auto&& get, auto&& set) -> Variant {
    if (let) {
      RequireCount(args, 1, 1);
      set(args[0]);
      return Variant();
    }
    if (kind != InvokeKind::PropertyGet && kind != InvokeKind::Method) {
      throw AutomationError(error::kWrongArgumentCount);
    }
    RequireCount(args, 0, 0);
    return get();
  };

  if (member == "machine") {
    return property([&] { return Variant(Machine()); },
                    [&](const Variant& v) { Machine(ToString(v)); });
  }
  if (member == "keyexists") {
    if (let) throw AutomationError(error::kWrongArgumentCount);
    RequireCount(args, 0, 0);
    return Variant(KeyExists());
  }
  if (member == "createkey" || member == "deletekey" || member == "deletevalue" ||
      member == "enumeratevalues" || member == "enumeratesections") {
    RequireCount(args, 0, 0);
    return call([&] {
      if (member == "createkey") return Variant(CreateKey());
      if (member == "deletekey") return Variant(DeleteKey());
      if (member == "deletevalue") return Variant(DeleteValue());
      if (member == "enumeratevalues") return EnumerateValues();
      return EnumerateSections();
    });
  }
  if (member == "value") {
    return property([&] { return Value(); }, [&](const Variant& v) { Value(v); });
  }
  if (member == "valuetype") {
    return property([&] { return Variant(ValueType()); },
                    [&](const Variant& v) { ValueType(ToLong(v)); });
  }
  if (member == "classkey") {
    return property([&] { return Variant(ClassKey()); },
                    [&](const Variant& v) { ClassKey(ToLong(v)); });
  }
  if (member == "sectionkey") {
    return property([&] { return Variant(SectionKey()); },
                    [&](const Variant& v) { SectionKey(ToString(v)); });
  }
  if (member == "valuekey") {
    return property([&] { return Variant(ValueKey()); },
                    [&](const Variant& v) { ValueKey(ToString(v)); });
  }
  if (member == "default") {
    return property([&] { return Default(); }, [&](const Variant& v) { Default(v); });
  }
  if (member == "valueex") {
    RequireCount(args, let ? 6 : 5, let ? 6 : 5);
    const int32_t class_key = ToLong(args[0]);
    std::string section_key = ToString(args[1]);
    std::string value_key = ToString(args[2]);
    const int32_t value_type = ToLong(args[3]);
    if (let) {
      ValueEx(class_key, std::move(section_key), std::move(value_key), value_type, args[4],
              args[5]);
      return Variant();
    }
    return ValueEx(class_key, std::move(section_key), std::move(value_key), value_type, args[4]);
  }
  if (member == "createexeassociation") {
    RequireCount(args, 4, 12);
    return call([&] {
      const int32_t icon = args.size() > 11 && !IsMissing(args[11]) ? ToLong(args[11]) : -1;
      CreateEXEAssociation(ToString(args[0]), ToString(args[1]), ToString(args[2]),
                           ToString(args[3]), TextArg(args, 4, "&Open"), BoolArg(args, 5),
                           TextArg(args, 6, "&Print"), BoolArg(args, 7), TextArg(args, 8, "&New"),
                           BoolArg(args, 9), TextArg(args, 10, ""), icon);
      return Variant();
    });
  }
  if (member == "createadditionalexeassociations") {
    RequireCount(args, 2, 2);
    return call([&] {
      CreateAdditionalEXEAssociations(ToString(args[0]), args[1]);
      return Variant();
    });
  }
  throw AutomationError(error::kMemberNotFound);
}

}  // namespace vks
