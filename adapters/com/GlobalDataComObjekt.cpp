#include "adapters/com/GlobalDataComObjekt.h"

#include "adapters/com/ComValues.h"
#include "adapters/com/VariantEnum.h"

namespace vks::com {

GlobalDataComObjekt::GlobalDataComObjekt(std::shared_ptr<clKontoGlobalData> daten,
                                         ObjektTabelle& objects, ProzessReferenz* prozess)
    : DispatchObject(prozess), daten_(std::move(daten)), objects_(objects) {
  auto* self = static_cast<VKSKontoServerV7::_clKontoGlobalData*>(this);
  objects_.Anmelden(self, self, daten_);
}

GlobalDataComObjekt::~GlobalDataComObjekt() {
  objects_.Abmelden(static_cast<VKSKontoServerV7::_clKontoGlobalData*>(this));
}

// For Each is no member of the interface; hosts ask for it by its dispatch identifier alone.
HRESULT GlobalDataComObjekt::Invoke(DISPID member, REFIID iid, LCID lcid, WORD flags,
                                    DISPPARAMS* params, VARIANT* result, EXCEPINFO* excepinfo,
                                    UINT* arg_error) {
  if (member == DISPID_NEWENUM) return NewEnumOf(*daten_, objects_, result);
  return DispatchObject::Invoke(member, iid, lcid, flags, params, result, excepinfo, arg_error);
}

HRESULT GlobalDataComObjekt::Add(BSTR Key, VARIANT NewValue) {
  return Call([&] { daten_->Add(FromBstr(Key), FromVariant(NewValue, &objects_)); });
}
HRESULT GlobalDataComObjekt::get_GetAllKeys(VARIANT* result) {
  return Call([&] { ToVariant(daten_->GetAllKeys(), *result, &objects_); });
}
HRESULT GlobalDataComObjekt::Remove(BSTR Key) {
  return Call([&] { daten_->Remove(FromBstr(Key)); });
}
HRESULT GlobalDataComObjekt::get_KeyExists(BSTR Key, VARIANT_BOOL* result) {
  return Call([&] { *result = ToVariantBool(daten_->KeyExists(FromBstr(Key))); });
}
HRESULT GlobalDataComObjekt::AddCategory(BSTR Key, VARIANT_BOOL* result) {
  return Call([&] { *result = ToVariantBool(daten_->AddCategory(FromBstr(Key))); });
}
HRESULT GlobalDataComObjekt::get_Item(BSTR Key, VARIANT* result) {
  return Call([&] { ToVariant(daten_->Item(FromBstr(Key)), *result, &objects_); });
}
HRESULT GlobalDataComObjekt::put_Item(BSTR Key, VARIANT NewValue) {
  return Call([&] { daten_->Item(FromBstr(Key), FromVariant(NewValue, &objects_)); });
}
HRESULT GlobalDataComObjekt::putref_Item(BSTR Key, VARIANT NewValue) {
  return put_Item(Key, NewValue);
}
HRESULT GlobalDataComObjekt::RemoveAll() {
  return Call([&] { daten_->RemoveAll(); });
}

}  // namespace vks::com
