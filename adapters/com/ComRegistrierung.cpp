#include "adapters/com/ComRegistrierung.h"

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

std::string WurzelName(HKEY wurzel) {
  return wurzel == HKEY_LOCAL_MACHINE ? "HKEY_LOCAL_MACHINE\\" : "HKEY_CURRENT_USER\\";
}

// Sets the text value `name` ("" the default) of `key` below the user's classes.
void Setze(HKEY wurzel, const std::wstring& key, const wchar_t* name, const std::wstring& wert) {
  const std::wstring pfad = kClasses + key;
  LSTATUS status = RegSetKeyValueW(wurzel, pfad.c_str(), *name ? name : nullptr, REG_SZ,
                                   wert.c_str(), static_cast<DWORD>((wert.size() + 1) * 2));
  if (status != ERROR_SUCCESS) {
    throw AutomationError(
        error::kCannotCreateObject, "VKSKontoServer",
        "Der Schlüssel " + WurzelName(wurzel) + Narrow(pfad) + " kann nicht geschrieben werden.");
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

void RegistriereServer(const std::wstring& exe, HKEY wurzel) {
  const Bibliothek b = LeseBibliothek();
  const std::wstring ordner = exe.substr(0, exe.find_last_of(L"\\/"));
  for (const Typ& t : b.typen) {
    if (!Erzeugbar(t)) continue;
    const std::wstring progid = b.name + L"." + t.name;
    const std::wstring versioniert = progid + L"." + std::to_wstring(b.major);
    const std::wstring clsid = L"CLSID\\" + t.guid;
    Setze(wurzel, progid, L"", progid);
    Setze(wurzel, progid + L"\\Clsid", L"", t.guid);
    Setze(wurzel, progid + L"\\CurVer", L"", versioniert);
    Setze(wurzel, versioniert, L"", progid);
    Setze(wurzel, versioniert + L"\\Clsid", L"", t.guid);
    Setze(wurzel, clsid, L"", progid);
    Setze(wurzel, clsid + L"\\LocalServer32", L"", L"\"" + exe + L"\"");
    Setze(wurzel, clsid + L"\\ProgID", L"", versioniert);
    Setze(wurzel, clsid + L"\\VersionIndependentProgID", L"", progid);
    Setze(wurzel, clsid + L"\\TypeLib", L"", b.guid);
    Setze(wurzel, clsid + L"\\Version", L"", b.version);
    Setze(wurzel, clsid + L"\\Programmable", L"", L"");
  }
  for (const Typ& t : b.typen) {
    if (!Schnittstelle(t)) continue;
    const std::wstring key = L"Interface\\" + t.guid;
    const wchar_t* marshaller = (t.flags & TYPEFLAG_FDUAL) || t.kind == TKIND_INTERFACE
                                    ? kAutomationMarshaller
                                    : kDispatchMarshaller;
    Setze(wurzel, key, L"", t.name);
    Setze(wurzel, key + L"\\ProxyStubClsid32", L"", marshaller);
    Setze(wurzel, key + L"\\ProxyStubClsid", L"", marshaller);
    Setze(wurzel, key + L"\\TypeLib", L"", b.guid);
    Setze(wurzel, key + L"\\TypeLib", L"Version", b.version);
  }
  const std::wstring lib = L"TypeLib\\" + b.guid + L"\\" + b.version;
  Setze(wurzel, lib, L"", b.hilfe);
  Setze(wurzel, lib + L"\\0\\win32", L"", exe);
  Setze(wurzel, lib + L"\\0\\win64", L"", exe);
  Setze(wurzel, lib + L"\\FLAGS", L"", L"0");
  Setze(wurzel, lib + L"\\HELPDIR", L"", ordner);
}

void EntferneRegistrierung(HKEY wurzel) {
  for (const std::wstring& key : RegistrierteSchluessel()) {
    const std::wstring pfad = kClasses + key;
    LSTATUS status = RegDeleteTreeW(wurzel, pfad.c_str());
    if (status == ERROR_SUCCESS) status = RegDeleteKeyW(wurzel, pfad.c_str());
    if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) {
      throw AutomationError(
          error::kCannotCreateObject, "VKSKontoServer",
          "Der Schlüssel " + WurzelName(wurzel) + Narrow(pfad) + " kann nicht gelöscht werden.");
    }
  }
  // The folders of the classes that the registration may have made, where nothing else is left.
  for (const wchar_t* ordner : {L"CLSID", L"Interface", L"TypeLib"}) {
    const std::wstring pfad = kClasses + std::wstring(ordner);
    HKEY key = nullptr;
    if (RegOpenKeyExW(wurzel, pfad.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) continue;
    DWORD subkeys = 1, values = 1;
    RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr,
                     nullptr, nullptr, nullptr);
    RegCloseKey(key);
    if (subkeys == 0 && values == 0) RegDeleteKeyW(wurzel, pfad.c_str());
  }
}

}  // namespace vks::com
