#pragma once
// The automation side of the interface description (interface/VKSKontoServerV7.xml): the type
// library's classes, interfaces, members in function-table order, parameters and enumerations,
// read from the bus description and its Automation annotations. The type library, the C++
// declarations of the interfaces and the tests that compare them all start from this.
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vks::com {

enum class BaseType {
  Void,  // no result
  Integer,
  Long,
  Single,
  Double,
  Currency,
  Date,
  String,
  Boolean,
  Variant,
  Byte,
  Dictionary,  // the scripting runtime's dictionary (IDictionary)
  Enum,        // one of the library's enumerations, named in TypeRef::name
  Object,      // one of the library's classes, named in TypeRef::name (its default interface)
};

struct TypeRef {
  BaseType base = BaseType::Void;
  std::string name;  // the enumeration or class for Enum and Object
  friend bool operator==(const TypeRef&, const TypeRef&) = default;
};

struct ParameterDescription {
  std::string name;  // empty for the value of a property assignment
  TypeRef type;
  bool by_ref = false;
  std::optional<std::string> default_value;  // set: optional, with this default (as written)
};

enum class MemberKind { Function, PropertyGet, PropertyLet, PropertySet };

struct MemberDescription {
  std::string name;
  MemberKind kind = MemberKind::Function;
  int32_t dispid = 0;
  std::vector<ParameterDescription> parameters;  // a property assignment's value comes last
  TypeRef result;                                // Void when there is none
};

struct InterfaceDescription {
  std::string name;
  std::string guid;                        // {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}, upper case
  bool dual = false;                       // false: a dispatch-only interface (the events)
  std::vector<MemberDescription> members;  // in function-table order
};

struct ClassDescription {
  std::string name;
  std::string guid;
  bool creatable = false;
  std::string default_interface;
  std::string events;  // the source interface, or empty
};

struct EnumDescription {
  std::string name;
  std::string guid;
  std::vector<std::pair<std::string, int32_t>> values;  // in order
};

struct TypeLibraryDescription {
  std::string name;
  std::string guid;
  uint16_t major_version = 0;
  uint16_t minor_version = 0;
  std::string help_string;
  std::vector<EnumDescription> enums;
  std::vector<InterfaceDescription> interfaces;  // each class's interface, then its events
  std::vector<ClassDescription> classes;

  const InterfaceDescription* FindInterface(std::string_view interface_name) const;
  const ClassDescription* FindClass(std::string_view class_name) const;
};

class DescriptionError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Reads the automation side of the description. Throws XmlError for malformed XML and
// DescriptionError naming the element for an annotation that is missing, malformed or
// inconsistent (a gap or repeat in the function-table slots, an unknown type, a default that does
// not fit its type).
TypeLibraryDescription ReadTypeLibraryDescription(std::string_view xml);

// The type's name as the description writes it ("Single", "eKontoDatenArt").
std::string TypeName(const TypeRef& type);

}  // namespace vks::com
