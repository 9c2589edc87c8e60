#include "adapters/com/ObjektTabelle.h"

#include "adapters/com/ComPtr.h"
#include "adapters/com/DispatchAdapter.h"
#include "adapters/com/FremdesObjekt.h"
#include "adapters/com/GlobalDataComObjekt.h"
#include "platform/automation/AutomationError.h"
#include "session/clKontoGlobalData.h"

namespace vks::com {

namespace {

IUnknown* Identity(IUnknown* object) {
  IUnknown* identity = nullptr;
  if (FAILED(object->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity))))
    return nullptr;
  identity->Release();  // only compared, never called
  return identity;
}

}  // namespace

IDispatch* ObjektTabelle::ToDispatch(const ObjectRef& object) {
  if (auto* fremd = dynamic_cast<FremdesObjekt*>(object.get())) {
    fremd->Get()->AddRef();
    return fremd->Get();
  }
  if (auto it = nach_objekt_.find(object.get()); it != nach_objekt_.end()) {
    IDispatch* dispatch = nach_identitaet_.at(it->second).dispatch;
    dispatch->AddRef();
    return dispatch;
  }
  if (auto daten = std::dynamic_pointer_cast<clKontoGlobalData>(object))
    return new GlobalDataComObjekt(std::move(daten), *this, prozess_);
  return new DispatchAdapter(object, *this, prozess_);
}

ObjectRef ObjektTabelle::FromDispatch(IDispatch* dispatch) {
  if (auto it = nach_identitaet_.find(Identity(dispatch)); it != nach_identitaet_.end()) {
    if (ObjectRef object = it->second.objekt.lock()) return object;
  }
  return std::make_shared<FremdesObjekt>(dispatch, *this);
}

void ObjektTabelle::Anmelden(IUnknown* identity, IDispatch* dispatch, const ObjectRef& object) {
  nach_identitaet_[identity] = Eintrag{dispatch, object};
  nach_objekt_[object.get()] = identity;
}

void ObjektTabelle::Abmelden(IUnknown* identity) {
  nach_identitaet_.erase(identity);
  std::erase_if(nach_objekt_, [identity](const auto& entry) { return entry.second == identity; });
}

}  // namespace vks::com
