#pragma once
// An object reachable by late binding: the host's objects, the dictionary, script classes. Members
// are found by name without regard to case; the empty name is the default member.
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/automation/Variant.h"

namespace vks {

enum class InvokeKind { Method, PropertyGet, PropertyLet, PropertySet };

class Dispatch : public std::enable_shared_from_this<Dispatch> {
 public:
  virtual ~Dispatch() = default;

  // The class name scripts see through TypeName().
  virtual std::string TypeName() const = 0;

  // Calls member `name` (compared without regard to case; "" = default member). For PropertyLet and
  // PropertySet the new value is the last argument. Arguments passed by reference may be changed in
  // place; a left-out optional argument is ErrorValue{kParamNotFound}.
  // Throws AutomationError 438 for an unknown member, 450 for a wrong argument count.
  virtual Variant Invoke(std::string_view name, InvokeKind kind, std::span<Variant> args) = 0;

  // For Each: the elements in order. Throws AutomationError 451 when the object is no collection.
  virtual std::vector<Variant> Enumerate();

  // Whether `name` (compared without regard to case) is one of the members, asked before a script
  // binds a name to an object whose members it publishes as global names: every other name stays
  // the script's own. None by default.
  virtual bool HasMember(std::string_view /*name*/) const { return false; }

  // Calls `visit` with every value the object holds, for a script engine's memory bound; an object
  // that holds no script values need not override it.
  virtual void VisitValues(const std::function<void(const Variant&)>& /*visit*/) const {}
};

}  // namespace vks
