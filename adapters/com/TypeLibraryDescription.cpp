#include "adapters/com/TypeLibraryDescription.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <map>
#include <sstream>

#include "adapters/com/XmlReader.h"

namespace vks::com {

const InterfaceDescription* TypeLibraryDescription::FindInterface(
    std::string_view interface_name) const {
  for (const auto& i : interfaces)
    if (i.name == interface_name) return &i;
  return nullptr;
}

const ClassDescription* TypeLibraryDescription::FindClass(std::string_view class_name) const {
  for (const auto& c : classes)
    if (c.name == class_name) return &c;
  return nullptr;
}

namespace {

constexpr std::string_view kPrefix = "Automation.";

constexpr std::pair<std::string_view, BaseType> kTypeNames[] = {
    {"Integer", BaseType::Integer},       {"Long", BaseType::Long},
    {"Single", BaseType::Single},         {"Double", BaseType::Double},
    {"Currency", BaseType::Currency},     {"Date", BaseType::Date},
    {"String", BaseType::String},         {"Boolean", BaseType::Boolean},
    {"Variant", BaseType::Variant},       {"Byte", BaseType::Byte},
    {"Dictionary", BaseType::Dictionary},
};

[[noreturn]] void Fail(const XmlElement& where, const std::string& what) {
  const std::string* name = where.Attribute("name");
  throw DescriptionError("line " + std::to_string(where.line) + ", <" + where.name +
                         (name ? " " + *name : std::string()) + ">: " + what);
}

std::vector<std::string> Words(const std::string& text) {
  std::vector<std::string> words;
  std::istringstream in(text);
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

// The value of the element's own annotation Automation.<key>, or null.
const std::string* Annotation(const XmlElement& element, std::string_view key) {
  for (const auto& child : element.children) {
    const std::string* name = child.Attribute("name");
    if (child.name == "annotation" && name && name->starts_with(kPrefix) &&
        std::string_view(*name).substr(kPrefix.size()) == key)
      return child.Attribute("value");
  }
  return nullptr;
}

std::vector<const std::string*> Annotations(const XmlElement& element, std::string_view key) {
  std::vector<const std::string*> values;
  for (const auto& child : element.children) {
    const std::string* name = child.Attribute("name");
    if (child.name == "annotation" && name && *name == std::string(kPrefix) + std::string(key))
      values.push_back(child.Attribute("value"));
  }
  return values;
}

const std::string& Required(const XmlElement& element, std::string_view attribute) {
  const std::string* value = element.Attribute(attribute);
  if (!value) Fail(element, "attribute " + std::string(attribute) + " is missing");
  return *value;
}

std::string Guid(const XmlElement& where, const std::string& text) {
  static constexpr std::string_view kShape = "{HHHHHHHH-HHHH-HHHH-HHHH-HHHHHHHHHHHH}";
  bool ok = text.size() == kShape.size();
  for (size_t i = 0; ok && i < text.size(); ++i)
    ok = kShape[i] == 'H' ? std::isxdigit(static_cast<unsigned char>(text[i])) &&
                                !std::islower(static_cast<unsigned char>(text[i]))
                          : text[i] == kShape[i];
  if (!ok) Fail(where, "'" + text + "' is not a GUID in upper case within braces");
  return text;
}

bool ParseLong(std::string_view text, int32_t& out) {
  int base = 10;
  bool hex = text.starts_with("0x");
  if (hex) {
    text.remove_prefix(2);
    base = 16;
  }
  if (hex) {  // dispatch identifiers: the bits of an unsigned 32-bit number
    uint32_t u = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), u, base);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty()) return false;
    out = static_cast<int32_t>(u);
    return true;
  }
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out, base);
  return ec == std::errc() && end == text.data() + text.size() && !text.empty();
}

// A type as written before the enumerations and classes are all known.
TypeRef TypeOf(const XmlElement& where, const std::string& dbus_type, const std::string* name) {
  if (name) {
    for (auto [n, base] : kTypeNames)
      if (n == *name) return {base, ""};
    return {BaseType::Object, *name};  // an enumeration or a class: resolved afterwards
  }
  static const std::map<std::string, BaseType, std::less<>> kBus = {
      {"s", BaseType::String},         {"n", BaseType::Integer}, {"i", BaseType::Long},
      {"b", BaseType::Boolean},        {"d", BaseType::Double},  {"(qv)", BaseType::Variant},
      {"a{sv}", BaseType::Dictionary}, {"y", BaseType::Byte}};
  auto it = kBus.find(dbus_type);
  if (it == kBus.end()) Fail(where, "the bus type " + dbus_type + " needs an Automation.Type");
  return {it->second, ""};
}

void CheckDefault(const XmlElement& where, const TypeRef& type, const std::string& value) {
  int32_t n = 0;
  bool ok = true;
  switch (type.base) {
    case BaseType::String:
    case BaseType::Variant:
      break;
    case BaseType::Boolean:
      ok = value == "True" || value == "False";
      break;
    case BaseType::Integer:
    case BaseType::Long:
    case BaseType::Byte:
    case BaseType::Enum:
      ok = ParseLong(value, n);
      break;
    default:
      ok = false;
  }
  if (!ok) Fail(where, "the default '" + value + "' does not fit " + TypeName(type));
}

MemberKind KindOf(const XmlElement& where, const std::string& word) {
  if (word == "func") return MemberKind::Function;
  if (word == "get") return MemberKind::PropertyGet;
  if (word == "let") return MemberKind::PropertyLet;
  if (word == "set") return MemberKind::PropertySet;
  Fail(where, "unknown slot kind '" + word + "'");
}

class Reader {
 public:
  TypeLibraryDescription Read(std::string_view xml) {
    XmlElement root = ParseXml(xml);
    for (const auto& element : root.children) {
      if (element.name != "interface") continue;
      if (Annotation(element, "Library")) ReadLibrary(element);
      if (Annotation(element, "Interface")) ReadClassInterface(element);
    }
    if (lib_.name.empty()) Fail(root, "no interface carries Automation.Library");
    Resolve();
    return std::move(lib_);
  }

 private:
  void ReadLibrary(const XmlElement& element) {
    lib_.name = *Annotation(element, "Library");
    const std::string* guid = Annotation(element, "Guid");
    const std::string* version = Annotation(element, "Version");
    const std::string* help = Annotation(element, "HelpString");
    if (!guid || !version || !help) Fail(element, "Guid, Version and HelpString are required");
    lib_.guid = Guid(element, *guid);
    unsigned major = 0, minor = 0;
    char dot = 0;
    std::istringstream v(*version);
    if (!(v >> major >> dot >> minor) || dot != '.' || major > 0xFFFF || minor > 0xFFFF)
      Fail(element, "Version '" + *version + "' is not major.minor");
    lib_.major_version = static_cast<uint16_t>(major);
    lib_.minor_version = static_cast<uint16_t>(minor);
    lib_.help_string = *help;
    for (const std::string* text : Annotations(element, "Enum")) {
      std::vector<std::string> words = Words(text ? *text : "");
      if (words.size() < 3) Fail(element, "an Enum needs a name, a GUID and members");
      EnumDescription e{words[0], Guid(element, words[1]), {}};
      for (size_t i = 2; i < words.size(); ++i) {
        size_t eq = words[i].find('=');
        int32_t value = 0;
        if (eq == std::string::npos || eq == 0 ||
            !ParseLong(std::string_view(words[i]).substr(eq + 1), value))
          Fail(element, "enumeration member '" + words[i] + "' is not name=value");
        e.values.emplace_back(words[i].substr(0, eq), value);
      }
      lib_.enums.push_back(std::move(e));
    }
  }

  void ReadClassInterface(const XmlElement& element) {
    std::vector<std::string> itf = Words(*Annotation(element, "Interface"));
    if (itf.size() != 3 || itf[2] != "dual") Fail(element, "Interface is 'name {GUID} dual'");
    const std::string* cls = Annotation(element, "Class");
    std::vector<std::string> c = Words(cls ? *cls : "");
    if (c.size() != 3 || (c[2] != "creatable" && c[2] != "noncreatable"))
      Fail(element, "Class is 'name {GUID} creatable|noncreatable'");
    InterfaceDescription interface {
      itf[0], Guid(element, itf[1]), true, {}
    };
    ClassDescription klass{c[0], Guid(element, c[1]), c[2] == "creatable", itf[0], ""};
    InterfaceDescription events;
    if (const std::string* ev = Annotation(element, "Events")) {
      std::vector<std::string> e = Words(*ev);
      if (e.size() != 2) Fail(element, "Events is 'name {GUID}'");
      events = {e[0], Guid(element, e[1]), false, {}};
      klass.events = e[0];
    }
    std::vector<std::pair<int, MemberDescription>> slots;
    for (const auto& member : element.children) {
      if (member.name == "signal" && !klass.events.empty()) {
        events.members.push_back(Signal(member));
      } else if (member.name == "method" || member.name == "property") {
        if (const std::string* s = Annotation(member, "Slots")) AddSlots(member, *s, slots);
      }
    }
    std::sort(slots.begin(), slots.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    for (size_t i = 0; i < slots.size(); ++i) {
      if (slots[i].first != static_cast<int>(i) + 1)
        Fail(element, "function-table slot " + std::to_string(i + 1) + " is " +
                          (slots[i].first > static_cast<int>(i) + 1 ? "missing" : "given twice"));
      interface.members.push_back(std::move(slots[i].second));
    }
    lib_.interfaces.push_back(std::move(interface));
    if (!klass.events.empty()) lib_.interfaces.push_back(std::move(events));
    lib_.classes.push_back(std::move(klass));
  }

  static int32_t DispId(const XmlElement& member) {
    const std::string* text = Annotation(member, "DispId");
    int32_t dispid = 0;
    if (!text || !ParseLong(*text, dispid)) Fail(member, "DispId is missing or not a number");
    return dispid;
  }

  MemberDescription Signal(const XmlElement& signal) {
    MemberDescription m{Required(signal, "name"), MemberKind::Function, DispId(signal), {}, {}};
    for (const auto& arg : signal.children)
      if (arg.name == "arg")
        m.parameters.push_back(
            {Required(arg, "name"), Type(arg, Required(arg, "type")), false, {}});
    return m;
  }

  void AddSlots(const XmlElement& member, const std::string& text,
                std::vector<std::pair<int, MemberDescription>>& slots) {
    std::vector<std::string> words = Words(text);
    if (words.empty() || words.size() % 2) Fail(member, "Slots is 'kind slot ...'");
    const std::string* rename = Annotation(member, "Name");
    std::string name = rename ? *rename : Required(member, "name");
    int32_t dispid = DispId(member);
    for (size_t i = 0; i < words.size(); i += 2) {
      MemberKind kind = KindOf(member, words[i]);
      int slot = 0;
      if (!ParseLong(words[i + 1], slot) || slot < 1) Fail(member, "bad slot " + words[i + 1]);
      MemberDescription m{name, kind, dispid, {}, {}};
      if (member.name == "property") {
        TypeRef type = Type(member, Required(member, "type"));
        if (kind == MemberKind::Function) Fail(member, "a property has no func slot");
        if (kind == MemberKind::PropertyGet)
          m.result = type;
        else
          m.parameters.push_back({"", type, false, {}});
      } else {
        ReadArguments(member, m);
      }
      slots.emplace_back(slot, std::move(m));
    }
  }

  // A method's arguments: those sent in are the parameters, by reference when they come back
  // out; the one named result is the result.
  void ReadArguments(const XmlElement& method, MemberDescription& m) {
    std::vector<const XmlElement*> outs;
    for (const auto& arg : method.children)
      if (arg.name == "arg" && Required(arg, "direction") == "out") outs.push_back(&arg);
    for (const auto& arg : method.children) {
      if (arg.name != "arg") continue;
      const std::string& name = Required(arg, "name");
      if (Required(arg, "direction") == "out") {
        if (name == "result") m.result = Type(arg, Required(arg, "type"));
        continue;
      }
      ParameterDescription p{name, Type(arg, Required(arg, "type")), false, {}};
      p.by_ref = std::any_of(outs.begin(), outs.end(),
                             [&](const XmlElement* o) { return *o->Attribute("name") == name; });
      if (const std::string* d = Annotation(arg, "Default")) {
        p.default_value = *d;
        defaults_.push_back({&arg, m.name, p.name});
      }
      m.parameters.push_back(std::move(p));
    }
    if (m.kind == MemberKind::PropertyLet || m.kind == MemberKind::PropertySet) {
      if (m.parameters.empty() || m.result.base != BaseType::Void)
        Fail(method, "an assignment takes the value last and has no result");
      m.parameters.back().name.clear();
    }
  }

  TypeRef Type(const XmlElement& element, const std::string& dbus_type) {
    TypeRef t = TypeOf(element, dbus_type, Annotation(element, "Type"));
    if (t.base == BaseType::Object) pending_.push_back({&element, t.name});
    return t;
  }

  // Names of enumerations and classes are known once the whole file is read.
  void Resolve() {
    auto fix = [&](TypeRef& t) {
      if (t.base != BaseType::Object) return;
      for (const auto& e : lib_.enums)
        if (e.name == t.name) t.base = BaseType::Enum;
      if (t.base == BaseType::Object && !lib_.FindClass(t.name)) {
        for (const auto& [element, name] : pending_)
          if (name == t.name) Fail(*element, "unknown type " + name);
      }
    };
    for (auto& interface : lib_.interfaces)
      for (auto& m : interface.members) {
        fix(m.result);
        for (auto& p : m.parameters) {
          fix(p.type);
          if (p.default_value)
            for (const auto& d : defaults_)
              if (d.member == m.name && d.parameter == p.name)
                CheckDefault(*d.element, p.type, *p.default_value);
        }
      }
  }

  struct Pending {
    const XmlElement* element;
    std::string name;
  };
  struct DefaultAt {
    const XmlElement* element;
    std::string member, parameter;
  };
  TypeLibraryDescription lib_;
  std::vector<Pending> pending_;
  std::vector<DefaultAt> defaults_;
};

}  // namespace

std::string TypeName(const TypeRef& type) {
  if (type.base == BaseType::Void) return "Void";
  if (type.base == BaseType::Enum || type.base == BaseType::Object) return type.name;
  for (auto [n, base] : kTypeNames)
    if (base == type.base) return std::string(n);
  return "?";
}

TypeLibraryDescription ReadTypeLibraryDescription(std::string_view xml) {
  return Reader().Read(xml);
}

}  // namespace vks::com
