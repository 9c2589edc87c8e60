#pragma once
// A clRegistry as an automation object: the dual interface _clRegistry, each member converting its
// arguments and calling the class; dispatch, optional arguments and coercion come from the type
// library.
// clRegistry first: windows.h defines the registry constants as macros.
#include "platform/settings/clRegistry.h"

#include <memory>

#include "VKSKontoServerV7.h"
#include "adapters/com/DispatchObject.h"

namespace vks::com {

class RegistryComObjekt
    : public DispatchObject<VKSKontoServerV7::_clRegistry, VKSKontoServerV7::IID__clRegistry,
                            VKSKontoServerV7::CLSID_clRegistry> {
 public:
  // Holds one reference for the caller.
  explicit RegistryComObjekt(std::unique_ptr<clRegistry> registry,
                             ProzessReferenz* prozess = nullptr);

  using RegistryClass = VKSKontoServerV7::ERegistryClassConstants;
  using RegistryType = VKSKontoServerV7::ERegistryValueTypes;

  HRESULT STDMETHODCALLTYPE get_Machine(BSTR* result) override;
  HRESULT STDMETHODCALLTYPE put_Machine(BSTR value) override;
  HRESULT STDMETHODCALLTYPE get_KeyExists(VARIANT_BOOL* result) override;
  HRESULT STDMETHODCALLTYPE CreateKey(VARIANT_BOOL* result) override;
  HRESULT STDMETHODCALLTYPE DeleteKey(VARIANT_BOOL* result) override;
  HRESULT STDMETHODCALLTYPE DeleteValue(VARIANT_BOOL* result) override;
  HRESULT STDMETHODCALLTYPE get_Value(VARIANT* result) override;
  HRESULT STDMETHODCALLTYPE put_Value(VARIANT value) override;
  HRESULT STDMETHODCALLTYPE EnumerateValues(VARIANT* result) override;
  HRESULT STDMETHODCALLTYPE EnumerateSections(VARIANT* result) override;
  HRESULT STDMETHODCALLTYPE CreateEXEAssociation(
      BSTR sExePath, BSTR sClassName, BSTR sClassDescription, BSTR sAssociation, BSTR sOpenMenuText,
      VARIANT_BOOL bSupportPrint, BSTR sPrintMenuText, VARIANT_BOOL bSupportNew, BSTR sNewMenuText,
      VARIANT_BOOL bSupportInstall, BSTR sInstallMenuText, LONG lDefaultIconIndex) override;
  HRESULT STDMETHODCALLTYPE CreateAdditionalEXEAssociations(BSTR sClassName,
                                                            VARIANT* vItems) override;
  HRESULT STDMETHODCALLTYPE get_ValueType(RegistryType* result) override;
  HRESULT STDMETHODCALLTYPE put_ValueType(RegistryType value) override;
  HRESULT STDMETHODCALLTYPE get_ClassKey(RegistryClass* result) override;
  HRESULT STDMETHODCALLTYPE put_ClassKey(RegistryClass value) override;
  HRESULT STDMETHODCALLTYPE get_SectionKey(BSTR* result) override;
  HRESULT STDMETHODCALLTYPE put_SectionKey(BSTR value) override;
  HRESULT STDMETHODCALLTYPE get_ValueKey(BSTR* result) override;
  HRESULT STDMETHODCALLTYPE get_ValueEx(RegistryClass* ClassKey, BSTR* SectionKey, BSTR* ValueKey,
                                        RegistryType* ValueType, VARIANT* Default,
                                        VARIANT* result) override;
  HRESULT STDMETHODCALLTYPE put_ValueEx(RegistryClass* ClassKey, BSTR* SectionKey, BSTR* ValueKey,
                                        RegistryType* ValueType, VARIANT* Default,
                                        VARIANT value) override;
  HRESULT STDMETHODCALLTYPE put_ValueKey(BSTR value) override;
  HRESULT STDMETHODCALLTYPE get_Default(VARIANT* result) override;
  HRESULT STDMETHODCALLTYPE put_Default(VARIANT value) override;

 private:
  std::unique_ptr<clRegistry> registry_;
};

}  // namespace vks::com
