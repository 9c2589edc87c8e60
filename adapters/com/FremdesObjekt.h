#pragma once
// An object of a host (its dictionary, its own class) as the core sees it: a Dispatch whose calls
// go through the object's IDispatch by name, and whose For Each walks its _NewEnum.
#include <windows.h>

#include <oaidl.h>

#include "adapters/com/ComPtr.h"
#include "platform/automation/Dispatch.h"

namespace vks::com {

class ObjectBridge;

class FremdesObjekt : public Dispatch {
 public:
  // Holds a reference of `dispatch` (not null); `objects` converts the values that cross and
  // outlives this object.
  FremdesObjekt(IDispatch* dispatch, ObjectBridge& objects);

  IDispatch* Get() const { return dispatch_.Get(); }

  // The name the object's type info gives, or "Object".
  std::string TypeName() const override;
  // Arguments go by reference, so that the object may change them as the core expects. Errors
  // of the object come back as its number, source and description.
  Variant Invoke(std::string_view name, InvokeKind kind, std::span<Variant> args) override;
  // Throws AutomationError 451 for an object without _NewEnum.
  std::vector<Variant> Enumerate() override;

 private:
  ComPtr<IDispatch> dispatch_;
  ObjectBridge& objects_;
};

}  // namespace vks::com
