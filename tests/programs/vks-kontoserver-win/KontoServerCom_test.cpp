// VKSKontoServer.exe as hosts meet it: registered for the current user and removed again without a
// trace, started by COM out of process on a host's creation, called late-bound by name, raising its
// event on a connection point while the host calls back, refusing bad calls with clear errors, and
// ending with its store saved once the host lets go. A second server started meanwhile ends at
// once.
#include <windows.h>

#include <ocidl.h>
#include <oleauto.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "VKSKontoServerV7.h"
#include "adapters/com/AutomationCall.h"
#include "adapters/com/ComPtr.h"
#include "adapters/com/ComRegistrierung.h"
#include "adapters/com/WideText.h"
#include "platform/automation/AutomationError.h"
#include "tests/adapters/com/DispatchCall.h"
#include "tests/adapters/com/ServerProcess.h"

namespace vks::com {
namespace {

std::wstring WindowsPath(std::string unix_path) {
  for (char& c : unix_path) c = c == '/' ? '\\' : c;
  return L"Z:" + Widen(unix_path);
}

// The server's folder as an installation lays it out: the program and its Daten folder.
std::wstring Installation() {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring folder =
      std::wstring(temp) + L"vks-kontoserver-" + std::to_wstring(GetCurrentProcessId());
  CreateDirectoryW(folder.c_str(), nullptr);
  CreateDirectoryW((folder + L"\\Daten").c_str(), nullptr);
  CopyFileW(WindowsPath(VKS_SERVER_EXE).c_str(), (folder + L"\\VKSKontoServer.exe").c_str(), FALSE);
  return folder;
}

DWORD RunServer(const std::wstring& exe, const std::wstring& option) {
  std::wstring line = L"\"" + exe + L"\" " + option;
  STARTUPINFOW start{};
  start.cb = sizeof start;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &start,
                      &process))
    return ~0u;
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = ~0u;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return code;
}

bool KeyExists(HKEY root, const std::wstring& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

std::set<std::wstring> Subkeys(HKEY root, const std::wstring& path) {
  std::set<std::wstring> names;
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return names;
  wchar_t name[256];
  for (DWORD i = 0, n = 256;
       RegEnumKeyExW(key, i, name, &n, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
       ++i, n = 256)
    names.insert(name);
  RegCloseKey(key);
  return names;
}

// A host's sink of AlleOrdersStreichen that calls the server back from inside its handler.
class Senke : public IDispatch {
 public:
  IDispatch* konto = nullptr;
  std::vector<std::string> kontonamen;
  std::vector<Variant> rueckrufe;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    *out = nullptr;
    if (iid != IID_IUnknown && iid != IID_IDispatch &&
        iid != VKSKontoServerV7::DIID___clKontoSchnittstelle)
      return E_NOINTERFACE;
    *out = static_cast<IDispatch*>(this);
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }  // lives on the test's stack
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override { return *n = 0, S_OK; }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*,
                                   EXCEPINFO*, UINT*) override {
    if (id != 1 || params->cArgs != 1) return DISP_E_MEMBERNOTFOUND;
    const std::string name = Narrow(params->rgvarg[0].bstrVal);
    kontonamen.push_back(name);
    VARIANT arg = Arg(Variant(name));
    rueckrufe.push_back(Call(konto, L"VKSKontoExistiert", DISPATCH_METHOD, {arg}).result);
    VariantClear(&arg);
    return S_OK;
  }
};

class KontoServerComTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    folder_ = Installation();
    exe_ = folder_ + L"\\VKSKontoServer.exe";
  }
  void TearDown() override {
    RunServer(exe_, L"/UnregServer");
    CoUninitialize();
  }
  std::wstring folder_, exe_;
};

TEST_F(KontoServerComTest, RegistrationLeavesNothingBehind) {
  const std::set<std::wstring> before = Subkeys(HKEY_CURRENT_USER, L"Software\\Classes");
  ASSERT_EQ(RunServer(exe_, L"/RegServer"), 0u);
  const std::wstring classes = L"Software\\Classes\\";
  for (const std::wstring& key : RegistrierteSchluessel()) {
    SCOPED_TRACE(Narrow(key));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, classes + key));
  }
  wchar_t server[MAX_PATH] = {};
  DWORD size = sizeof server;
  const std::wstring clsid = classes + L"CLSID\\{F3F2E6EC-2170-460B-9942-931BD2CFE619}";
  EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER, (clsid + L"\\LocalServer32").c_str(), nullptr,
                         RRF_RT_REG_SZ, nullptr, server, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(std::wstring(server), L"\"" + exe_ + L"\"");
  CLSID by_progid{};
  EXPECT_EQ(CLSIDFromProgID(L"VKSKontoServerV7.clOrderZusatzInfos", &by_progid), S_OK);
  EXPECT_TRUE(by_progid == VKSKontoServerV7::CLSID_clOrderZusatzInfos);
  EXPECT_TRUE(
      KeyExists(HKEY_LOCAL_MACHINE, L"Software\\Wendrich Software Entwicklung\\Tradomir\\PfadV7"));

  ASSERT_EQ(RunServer(exe_, L"/UnregServer"), 0u);
  for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
    for (const std::wstring& key : RegistrierteSchluessel()) {
      SCOPED_TRACE(Narrow(key));
      EXPECT_FALSE(KeyExists(root, classes + key));
    }
  }
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, L"Software\\Wendrich Software Entwicklung"));
  EXPECT_EQ(Subkeys(HKEY_CURRENT_USER, L"Software\\Classes"), before);
}

TEST_F(KontoServerComTest, HostCallsTheServerOutOfProcessUntilItEnds) {
  ASSERT_EQ(RunServer(exe_, L"/RegServer"), 0u);
  CLSID clsid{};
  ASSERT_EQ(CLSIDFromProgID(L"VKSKontoServerV7.clKontoSchnittstelle", &clsid), S_OK);
  ComPtr<IDispatch> konto, extras;
  ASSERT_EQ(
      CoCreateInstance(clsid, nullptr, CLSCTX_LOCAL_SERVER, IID_IDispatch, konto.ReceiveVoid()),
      S_OK);
  ASSERT_EQ(CoCreateInstance(VKSKontoServerV7::CLSID_clOrderZusatzInfos, nullptr,
                             CLSCTX_LOCAL_SERVER, IID_IDispatch, extras.ReceiveVoid()),
            S_OK);
  HANDLE server = vks::testing::ServerProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION);
  ASSERT_NE(server, nullptr);
  VARIANT margin = Arg(Variant(10.0f));
  ASSERT_EQ(Call(extras.Get(), L"Margin", DISPATCH_PROPERTYPUT, {margin}).hr, S_OK);

  const Variant missing(ErrorValue{ErrorValue::kParamNotFound});
  const Variant datum(DateValue{46000.5});
  const Variant nothing = Variant::Nothing();
  // Arguments that no Variant gives: the extras object, arrays nested deeper than the limit and
  // larger than it (which the host can still build).
  VARIANT with_extras;
  VariantInit(&with_extras);
  with_extras.vt = VT_DISPATCH;
  with_extras.pdispVal = extras.Get();
  OwnedVariant deep, huge;
  deep.vt = VT_ARRAY | VT_VARIANT;
  deep.parray = SafeArrayCreateVector(VT_VARIANT, 0, 1);
  {
    VARIANT limit = Arg(Nested(kMaxArrayNesting));
    LONG zero = 0;
    SafeArrayPutElement(deep.parray, &zero, &limit);
    VariantClear(&limit);
  }
  huge.vt = VT_ARRAY | VT_UI1;
  huge.parray = SafeArrayCreateVector(VT_UI1, 0, VariantArray::kMaxElements + 1);
  struct Step {
    const wchar_t* name;
    std::vector<Variant> args;
    HRESULT hr;
    Variant result;
    UINT bad_argument = 0;
    int raw_at = -1;  // the argument that `raw` replaces
    const VARIANT* raw = nullptr;
    int32_t error = 0;  // the automation error's number with DISP_E_EXCEPTION
  } steps[] = {
      {L"VKSNeuesKontoZufügen",
       {Variant("Depot"), Variant("Info"), Variant(50000.0), datum, Variant(true), Variant(false),
        Variant(false), Variant("")},
       S_OK,
       Variant(true)},
      {L"VKSKontoNeuerOrderstatus",
       {datum, Variant("Depot"), Variant("O1"), Variant("WKN1"), Variant("Titel"),
        Variant(int16_t{1}), Variant(int32_t{100}), Variant(int32_t{100}), Variant(20.0f),
        Variant(true), nothing},
       S_OK,
       Variant(int16_t{-1}),
       0,
       10,
       &with_extras},
      // Nothing where the extras go: the order keeps none.
      {L"VKSKontoNeuerOrderstatus",
       {datum, Variant("Depot"), Variant("O2"), Variant("WKN2"), Variant("Titel"),
        Variant(int16_t{1}), Variant(int32_t{5}), Variant(int32_t{0}), Variant(0.0f), Variant(true),
        nothing},
       S_OK,
       Variant(int16_t{-1})},
      {L"vksgettitelposition", {Variant("DEPOT"), Variant("WKN1")}, S_OK, Variant(100.0f)},
      {L"VKSGetKontoWert", {Variant("Depot"), Variant(int32_t{13})}, S_OK, Variant(1.0f)},
      {L"VKSKontoNeuerKurs", {datum, Variant("Depot"), Variant("WKN1"), Variant(21.0f)}, S_OK, {}},
      {L"VKSGetKontoWert", {Variant("Fehlt"), Variant(int32_t{45})}, S_OK, Variant(-2.123456E+38f)},
      // Bad calls: a text for a metric, too few and too many arguments, a required one left out.
      {L"VKSGetKontoWert", {Variant("Depot"), Variant("viel")}, DISP_E_TYPEMISMATCH, {}, 0},
      {L"VKSKontoExistiert", {}, DISP_E_BADPARAMCOUNT, {}},
      {L"VKSKontoExistiert", {Variant("a"), Variant("b")}, DISP_E_BADPARAMCOUNT, {}},
      {L"VKSStreicheOrder", {Variant("Depot"), missing, datum}, DISP_E_PARAMNOTOPTIONAL, {}, 1},
      {L"GibtEsNicht", {}, DISP_E_UNKNOWNNAME, {}},
      // Nothing where the host's dictionary must be, a text where the extras object goes.
      {L"InitKontoKennzahlen", {nothing}, DISP_E_EXCEPTION, {}, 0, -1, nullptr, 424},
      {L"VKSKontoNeuerOrderstatus",
       {datum, Variant("Depot"), Variant("O3"), Variant("WKN3"), Variant("Titel"),
        Variant(int16_t{1}), Variant(int32_t{5}), Variant(int32_t{0}), Variant(0.0f), Variant(true),
        Variant("kein Objekt")},
       DISP_E_TYPEMISMATCH,
       {},
       0},
      // Arrays nested too deep (error 28) or too large (7) are refused before anything is
      // written.
      {L"VKSSchreibePosWerte",
       {Variant("Depot"), {}, Nested(1), Variant(1.0f), Variant(int32_t{1})},
       DISP_E_EXCEPTION,
       {},
       0,
       1,
       &deep,
       28},
      {L"VKSSchreibePosWerte",
       {Variant("Depot"), {}, Nested(1), Variant(1.0f), Variant(int32_t{1})},
       DISP_E_EXCEPTION,
       {},
       0,
       1,
       &huge,
       error::kOutOfMemory},
      // Text beyond Windows-1252 cannot be stored with the account: the name is refused (the
      // reason comes back in Fehlertext), and it names no account.
      {L"VKSNeuesKontoZufügen",
       {Variant("Конто 😀"), Variant(""), Variant(1.0), datum, Variant(true), Variant(false),
        Variant(false), Variant("")},
       S_OK,
       Variant(false)},
      {L"VKSKontoExistiert", {Variant("Конто 😀")}, S_OK, Variant(false)},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(Narrow(step.name));
    std::vector<VARIANT> args;
    for (const auto& a : step.args) args.push_back(Arg(a));
    if (step.raw) {
      ASSERT_EQ(VariantCopy(&args[step.raw_at], const_cast<VARIANT*>(step.raw)), S_OK);
    }
    Outcome out = Call(konto.Get(), step.name, DISPATCH_METHOD | DISPATCH_PROPERTYGET, args);
    for (auto& a : args) VariantClear(&a);
    EXPECT_EQ(out.hr, step.hr);
    if (step.hr == DISP_E_EXCEPTION) {
      EXPECT_EQ(out.excepinfo.scode, HResultOfError(step.error));
    }
    if (step.hr == S_OK) {
      EXPECT_TRUE(out.result == step.result);
    }
    if (step.hr == DISP_E_TYPEMISMATCH || step.hr == DISP_E_PARAMNOTOPTIONAL) {
      EXPECT_EQ(out.arg_error, step.bad_argument);
    }
  }

  // An error of the server: its number, source and German description.
  ComPtr<IDispatch> store;
  {
    VARIANT v;
    VariantInit(&v);
    DISPID id = 0x68030000;
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    ASSERT_EQ(konto->Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &v, nullptr, nullptr),
              S_OK);
    ASSERT_EQ(v.vt, VT_DISPATCH);
    store.Attach(v.pdispVal);
  }
  VARIANT key = Arg(Variant("k")), value = Arg(Variant(int32_t{1}));
  EXPECT_EQ(Call(store.Get(), L"Add", DISPATCH_METHOD, {key, value}).hr, S_OK);
  Outcome doppelt = Call(store.Get(), L"Add", DISPATCH_METHOD, {key, value});
  EXPECT_EQ(doppelt.hr, DISP_E_EXCEPTION);
  EXPECT_EQ(static_cast<uint32_t>(doppelt.excepinfo.scode), 0x800A01C9u);  // 457
  EXPECT_EQ(Narrow(doppelt.excepinfo.bstrDescription),
            "Dieser Schlüssel ist bereits einem Element dieser Auflistung zugeordnet");
  VariantClear(&key);
  // Keys and values beyond Windows-1252 come back as they went: the store is never saved.
  VARIANT fremd = Arg(Variant("Конто 😀"));
  EXPECT_EQ(Call(store.Get(), L"Item", DISPATCH_PROPERTYPUT, {fremd, fremd}).hr, S_OK);
  EXPECT_TRUE(Call(store.Get(), L"Item", DISPATCH_PROPERTYGET, {fremd}).result ==
              Variant("Конто 😀"));
  VariantClear(&fremd);
  store.Reset();

  // The event through the connection point, the host calling back from its handler.
  Senke senke;
  senke.konto = konto.Get();
  ComPtr<IConnectionPointContainer> container;
  ComPtr<IConnectionPoint> point;
  ASSERT_EQ(konto->QueryInterface(IID_IConnectionPointContainer, container.ReceiveVoid()), S_OK);
  ASSERT_EQ(container->FindConnectionPoint(VKSKontoServerV7::DIID___clKontoSchnittstelle,
                                           point.Receive()),
            S_OK);
  DWORD cookie = 0;
  ASSERT_EQ(point->Advise(&senke, &cookie), S_OK);
  VARIANT depot = Arg(Variant("Depot"));
  EXPECT_EQ(Call(konto.Get(), L"VKSStreicheKontoOrders", DISPATCH_METHOD, {depot}).hr, S_OK);
  VariantClear(&depot);
  EXPECT_EQ(senke.kontonamen, std::vector<std::string>{"Depot"});
  ASSERT_EQ(senke.rueckrufe.size(), 1u);
  EXPECT_TRUE(senke.rueckrufe[0] == Variant(true));
  EXPECT_EQ(point->Unadvise(cookie), S_OK);

  // Hosts that bind events late learn the event interface from the object.
  ComPtr<IProvideClassInfo2> class_info;
  ASSERT_EQ(konto->QueryInterface(IID_IProvideClassInfo2, class_info.ReceiveVoid()), S_OK);
  GUID source{};
  EXPECT_EQ(class_info->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &source), S_OK);
  EXPECT_TRUE(source == VKSKontoServerV7::DIID___clKontoSchnittstelle);
  class_info.Reset();

  // A Dictionary property keeps the host's own dictionary: it comes back as itself.
  CLSID dictionary_class{};
  ASSERT_EQ(CLSIDFromProgID(L"Scripting.Dictionary", &dictionary_class), S_OK);
  ComPtr<IDispatch> dictionary;
  ASSERT_EQ(CoCreateInstance(dictionary_class, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                             dictionary.ReceiveVoid()),
            S_OK);
  VARIANT entry_key = Arg(Variant("WKN1")), entry = Arg(Variant(int32_t{7}));
  ASSERT_EQ(Call(dictionary.Get(), L"Add", DISPATCH_METHOD, {entry_key, entry}).hr, S_OK);
  VariantClear(&entry_key);
  VARIANT as_object;
  VariantInit(&as_object);
  as_object.vt = VT_DISPATCH;
  as_object.pdispVal = dictionary.Get();
  EXPECT_EQ(Call(konto.Get(), L"cTitelPositionen", DISPATCH_PROPERTYPUTREF, {as_object}).hr, S_OK);
  {
    VARIANT back;
    VariantInit(&back);
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    ASSERT_EQ(konto->Invoke(0x40030000, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &back, nullptr,
                            nullptr),
              S_OK);
    ASSERT_EQ(back.vt, VT_DISPATCH);
    ComPtr<IUnknown> mine, returned;
    dictionary->QueryInterface(IID_IUnknown, mine.ReceiveVoid());
    back.pdispVal->QueryInterface(IID_IUnknown, returned.ReceiveVoid());
    EXPECT_EQ(mine.Get(), returned.Get());
    VariantClear(&back);
  }
  dictionary.Reset();

  // A second server ends at once, leaving the store as it is.
  const std::wstring store_file = folder_ + L"\\Daten\\VKSVirtKonten.dat";
  EXPECT_EQ(RunServer(exe_, L"-Embedding"), 0u);

  point.Reset();
  container.Reset();
  extras.Reset();
  konto.Reset();
  ASSERT_EQ(WaitForSingleObject(server, INFINITE), WAIT_OBJECT_0);
  CloseHandle(server);
  std::ifstream saved(store_file.c_str(), std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(saved)), {});
  EXPECT_NE(bytes.find("Depot"), std::string::npos);
  EXPECT_NE(bytes.find("WKN1"), std::string::npos);
}

}  // namespace
}  // namespace vks::com
