#include "adapters/com/RegistryComObjekt.h"

#include "adapters/com/ComValues.h"
#include "adapters/com/VariantConversion.h"

namespace vks::com {

RegistryComObjekt::RegistryComObjekt(std::unique_ptr<clRegistry> registry, ProzessReferenz* prozess)
    : DispatchObject(prozess), registry_(std::move(registry)) {}

HRESULT RegistryComObjekt::get_Machine(BSTR* result) {
  return Call([&] { *result = ToBstr(registry_->Machine()); });
}
HRESULT RegistryComObjekt::put_Machine(BSTR value) {
  return Call([&] { registry_->Machine(FromBstr(value)); });
}
HRESULT RegistryComObjekt::get_KeyExists(VARIANT_BOOL* result) {
  return Call([&] { *result = ToVariantBool(registry_->KeyExists()); });
}
HRESULT RegistryComObjekt::CreateKey(VARIANT_BOOL* result) {
  return Call([&] { *result = ToVariantBool(registry_->CreateKey()); });
}
HRESULT RegistryComObjekt::DeleteKey(VARIANT_BOOL* result) {
  return Call([&] { *result = ToVariantBool(registry_->DeleteKey()); });
}
HRESULT RegistryComObjekt::DeleteValue(VARIANT_BOOL* result) {
  return Call([&] { *result = ToVariantBool(registry_->DeleteValue()); });
}
HRESULT RegistryComObjekt::get_Value(VARIANT* result) {
  return Call([&] { ToVariant(registry_->Value(), *result); });
}
HRESULT RegistryComObjekt::put_Value(VARIANT value) {
  return Call([&] { registry_->Value(FromVariant(value)); });
}
HRESULT RegistryComObjekt::EnumerateValues(VARIANT* result) {
  return Call([&] { ToVariant(registry_->EnumerateValues(), *result); });
}
HRESULT RegistryComObjekt::EnumerateSections(VARIANT* result) {
  return Call([&] { ToVariant(registry_->EnumerateSections(), *result); });
}
HRESULT RegistryComObjekt::CreateEXEAssociation(BSTR sExePath, BSTR sClassName,
                                                BSTR sClassDescription, BSTR sAssociation,
                                                BSTR sOpenMenuText, VARIANT_BOOL bSupportPrint,
                                                BSTR sPrintMenuText, VARIANT_BOOL bSupportNew,
                                                BSTR sNewMenuText, VARIANT_BOOL bSupportInstall,
                                                BSTR sInstallMenuText, LONG lDefaultIconIndex) {
  return Call([&] {
    registry_->CreateEXEAssociation(
        FromBstr(sExePath), FromBstr(sClassName), FromBstr(sClassDescription),
        FromBstr(sAssociation), FromBstr(sOpenMenuText), bSupportPrint != VARIANT_FALSE,
        FromBstr(sPrintMenuText), bSupportNew != VARIANT_FALSE, FromBstr(sNewMenuText),
        bSupportInstall != VARIANT_FALSE, FromBstr(sInstallMenuText), lDefaultIconIndex);
  });
}
HRESULT RegistryComObjekt::CreateAdditionalEXEAssociations(BSTR sClassName, VARIANT* vItems) {
  return Call([&] {
    registry_->CreateAdditionalEXEAssociations(FromBstr(sClassName), FromVariant(*vItems));
  });
}
HRESULT RegistryComObjekt::get_ValueType(RegistryType* result) {
  return Call([&] { *result = static_cast<RegistryType>(registry_->ValueType()); });
}
HRESULT RegistryComObjekt::put_ValueType(RegistryType value) {
  return Call([&] { registry_->ValueType(static_cast<int32_t>(value)); });
}
HRESULT RegistryComObjekt::get_ClassKey(RegistryClass* result) {
  return Call([&] { *result = static_cast<RegistryClass>(registry_->ClassKey()); });
}
HRESULT RegistryComObjekt::put_ClassKey(RegistryClass value) {
  return Call([&] { registry_->ClassKey(static_cast<int32_t>(value)); });
}
HRESULT RegistryComObjekt::get_SectionKey(BSTR* result) {
  return Call([&] { *result = ToBstr(registry_->SectionKey()); });
}
HRESULT RegistryComObjekt::put_SectionKey(BSTR value) {
  return Call([&] { registry_->SectionKey(FromBstr(value)); });
}
HRESULT RegistryComObjekt::get_ValueKey(BSTR* result) {
  return Call([&] { *result = ToBstr(registry_->ValueKey()); });
}
HRESULT RegistryComObjekt::put_ValueKey(BSTR value) {
  return Call([&] { registry_->ValueKey(FromBstr(value)); });
}
// The five by-reference arguments are only read: ValueEx stores them in the object's fields.
HRESULT RegistryComObjekt::get_ValueEx(RegistryClass* ClassKey, BSTR* SectionKey, BSTR* ValueKey,
                                       RegistryType* ValueType, VARIANT* Default, VARIANT* result) {
  return Call([&] {
    ToVariant(registry_->ValueEx(static_cast<int32_t>(*ClassKey), FromBstr(*SectionKey),
                                 FromBstr(*ValueKey), static_cast<int32_t>(*ValueType),
                                 FromVariant(*Default)),
              *result);
  });
}
HRESULT RegistryComObjekt::put_ValueEx(RegistryClass* ClassKey, BSTR* SectionKey, BSTR* ValueKey,
                                       RegistryType* ValueType, VARIANT* Default, VARIANT value) {
  return Call([&] {
    registry_->ValueEx(static_cast<int32_t>(*ClassKey), FromBstr(*SectionKey), FromBstr(*ValueKey),
                       static_cast<int32_t>(*ValueType), FromVariant(*Default), FromVariant(value));
  });
}
HRESULT RegistryComObjekt::get_Default(VARIANT* result) {
  return Call([&] { ToVariant(registry_->Default(), *result); });
}
HRESULT RegistryComObjekt::put_Default(VARIANT value) {
  return Call([&] { registry_->Default(FromVariant(value)); });
}

}  // namespace vks::com
