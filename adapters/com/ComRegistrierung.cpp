#include "adapters/com/ComRegistrierung.h"

#include <windows.h>

#include <oleauto.h>

#include "adapters/com/ComPtr.h"
#include "adapters/com/EmbeddedTypeLibrary.h"
#include "adapters/com/WideText.h"
#include "platform/automation/AutomationError.h"

namespace vks::com {

namespace {

constexpr const wchar_t* kClasses = L"Software\\Classes\\";
// The platform's marshallers: through the type library (dual interfaces), and IDispatch alone.
constexpr const wchar_t* kAutomationMarshaller = L"{00020424-0000-0000-C000-000000000046}";
constexpr const wchar_t* kDispatchMarshaller = L"{00020420-0000-0000-C000-000000000046}";

std::wstring GuidText(const GUID& guid) {
  wchar_t text[40];
  StringFromGUID2(guid, text, 40);
  return text;
}

struct Typ {
  std::wstring name;
  std::wstring guid;
  TYPEKIND kind;
  WORD flags;
};

struct Bibliothek {
  std::wstring name, hilfe, guid, version;
  WORD major;
  std::vector<Typ> typen;
};

Bibliothek LeseBibliothek() {
  ITypeLib* lib = EmbeddedTypeLibrary();
  Bibliothek b;
  BSTR name = nullptr, hilfe = nullptr;
  TLIBATTR* attr = nullptr;
  if (FAILED(lib->GetDocumentation(-1, &name, &hilfe, nullptr, nullptr)) ||
      FAILED(lib->GetLibAttr(&attr)))
    throw AutomationError(error::kCannotCreateObject);
  b.name = name ? name : L"";
  b.hilfe = hilfe ? hilfe : L"";
  SysFreeString(name);
  SysFreeString(hilfe);
  b.guid = GuidText(attr->guid);
  b.major = attr->wMajorVerNum;
  b.version = std::to_wstring(attr->wMajorVerNum) + L"." + std::to_wstring(attr->wMinorVerNum);
  lib->ReleaseTLibAttr(attr);
  for (UINT i = 0; i < lib->GetTypeInfoCount(); ++i) {
    ComPtr<ITypeInfo> info;
    TYPEATTR* type = nullptr;
    BSTR type_name = nullptr;
    if (FAILED(lib->GetTypeInfo(i, info.Receive())) || FAILED(info->GetTypeAttr(&type)))
      throw AutomationError(error::kCannotCreateObject);
    lib->GetDocumentation(static_cast<INT>(i), &type_name, nullptr, nullptr, nullptr);
    b.typen.push_back(
        {type_name ? type_name : L"", GuidText(type->guid), type->typekind, type->wTypeFlags});
    SysFreeString(type_name);
    info->ReleaseTypeAttr(type);
  }
  return b;
}

bool Erzeugbar(const Typ& t) {
  return t.kind == TKIND_COCLASS && (t.flags & TYPEFLAG_FCANCREATE);
}
bool Schnittstelle(const Typ& t) {
  return t.kind == TKIND_INTERFACE || t.kind == TKIND_DISPATCH;
}

// Sets the text value `name` ("" the default) of `key` below the user's classes.
void Setze(const std::wstring& key, const wchar_t* name, const std::wstring& wert) {
  const std::wstring pfad = kClasses + key;
  LSTATUS status = RegSetKeyValueW(HKEY_CURRENT_USER, pfad.c_str(), *name ? name : nullptr, REG_SZ,
                                   wert.c_str(), static_cast<DWORD>((wert.size() + 1) * 2));
  if (status != ERROR_SUCCESS) {
    throw AutomationError(
        error::kCannotCreateObject, "VKSKontoServer",
        "Der Schlüssel HKEY_CURRENT_USER\\" + Narrow(pfad) + " kann nicht geschrieben werden.");
  }
}

}  // namespace

std::vector<std::wstring> RegistrierteSchluessel() {
  const Bibliothek b = LeseBibliothek();
  std::vector<std::wstring> keys;
  for (const Typ& t : b.typen) {
    if (!Erzeugbar(t)) continue;
    const std::wstring progid = b.name + L"." + t.name;
    keys.push_back(progid);
    keys.push_back(progid + L"." + std::to_wstring(b.major));
    keys.push_back(L"CLSID\\" + t.guid);
  }
  for (const Typ& t : b.typen)
    if (Schnittstelle(t)) keys.push_back(L"Interface\\" + t.guid);
  keys.push_back(L"TypeLib\\" + b.guid);
  return keys;
}

void RegistriereServer(const std::wstring& exe) {
  const Bibliothek b = LeseBibliothek();
  const std::wstring ordner = exe.substr(0, exe.find_last_of(L"\\/"));
  for (const Typ& t : b.typen) {
    if (!Erzeugbar(t)) continue;
    const std::wstring progid = b.name + L"." + t.name;
    const std::wstring versioniert = progid + L"." + std::to_wstring(b.major);
    const std::wstring clsid = L"CLSID\\" + t.guid;
    Setze(progid, L"", progid);
    Setze(progid + L"\\Clsid", L"", t.guid);
    Setze(progid + L"\\CurVer", L"", versioniert);
    Setze(versioniert, L"", progid);
    Setze(versioniert + L"\\Clsid", L"", t.guid);
    Setze(clsid, L"", progid);
    Setze(clsid + L"\\LocalServer32", L"", L"\"" + exe + L"\"");
    Setze(clsid + L"\\ProgID", L"", versioniert);
    Setze(clsid + L"\\VersionIndependentProgID", L"", progid);
    Setze(clsid + L"\\TypeLib", L"", b.guid);
    Setze(clsid + L"\\Version", L"", b.version);
    Setze(clsid + L"\\Programmable", L"", L"");
  }
  for (const Typ& t : b.typen) {
    if (!Schnittstelle(t)) continue;
    const std::wstring key = L"Interface\\" + t.guid;
    const wchar_t* marshaller = (t.flags & TYPEFLAG_FDUAL) || t.kind == TKIND_INTERFACE
                                    ? kAutomationMarshaller
                                    : kDispatchMarshaller;
    Setze(key, L"", t.name);
    Setze(key + L"\\ProxyStubClsid32", L"", marshaller);
    Setze(key + L"\\ProxyStubClsid", L"", marshaller);
    Setze(key + L"\\TypeLib", L"", b.guid);
    Setze(key + L"\\TypeLib", L"Version", b.version);
  }
  const std::wstring lib = L"TypeLib\\" + b.guid + L"\\" + b.version;
  Setze(lib, L"", b.hilfe);
  Setze(lib + L"\\0\\win32", L"", exe);
  Setze(lib + L"\\0\\win64", L"", exe);
  Setze(lib + L"\\FLAGS", L"", L"0");
  Setze(lib + L"\\HELPDIR", L"", ordner);
}

void EntferneRegistrierung() {
  for (const std::wstring& key : RegistrierteSchluessel()) {
    const std::wstring pfad = kClasses + key;
    LSTATUS status = RegDeleteTreeW(HKEY_CURRENT_USER, pfad.c_str());
    if (status == ERROR_SUCCESS) status = RegDeleteKeyW(HKEY_CURRENT_USER, pfad.c_str());
    if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) {
      throw AutomationError(
          error::kCannotCreateObject, "VKSKontoServer",
          "Der Schlüssel HKEY_CURRENT_USER\\" + Narrow(pfad) + " kann nicht gelöscht werden.");
    }
  }
}

}  // namespace vks::com
