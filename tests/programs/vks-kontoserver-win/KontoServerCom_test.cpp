// VKSKontoServer.exe as hosts meet it: registered for the current user and removed again without a
// trace, started by COM out of process on a host's creation, called late-bound by name, raising its
// event on a connection point while the host calls back, refusing bad calls with clear errors, and
// ending with its store saved once the host lets go. A second server started meanwhile ends at
// once.
#include <windows.h>

#include <ocidl.h>
#include <oleauto.h>
#include <process.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <utility>

#include "VKSKontoServerV7.h"
#include "adapters/com/AutomationCall.h"
#include "adapters/com/ComPtr.h"
#include "adapters/com/ComRegistrierung.h"
#include "adapters/com/WideText.h"
#include "platform/automation/AutomationError.h"
#include "tests/adapters/com/DispatchCall.h"
#include "tests/adapters/com/ServerProcess.h"
#include "tools/vks-host-demo/EreignisSenke.h"

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

// The server's exit code, ~0u when it does not start.
DWORD RunServer(const std::wstring& exe, const wchar_t* option) {
  return static_cast<DWORD>(
      _wspawnl(_P_WAIT, exe.c_str(), (L"\"" + exe + L"\"").c_str(), option, nullptr));
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

// An object property read by its dispatch identifier, as a host that binds early reads it.
ComPtr<IDispatch> ObjectProperty(IDispatch* object, DISPID id) {
  OwnedVariant v;
  DISPPARAMS none{nullptr, nullptr, 0, 0};
  ComPtr<IDispatch> got;
  EXPECT_EQ(object->Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &v, nullptr, nullptr),
            S_OK);
  EXPECT_EQ(v.vt, VT_DISPATCH);
  if (v.vt == VT_DISPATCH) got.Attach(std::exchange(v.pdispVal, nullptr)), v.vt = VT_EMPTY;
  return got;
}

// A new object of the class that `progid` names, as a host creates it.
ComPtr<IDispatch> Create(const wchar_t* progid, DWORD context = CLSCTX_LOCAL_SERVER) {
  CLSID clsid{};
  ComPtr<IDispatch> object;
  EXPECT_EQ(CLSIDFromProgID(progid, &clsid), S_OK) << Narrow(progid);
  EXPECT_EQ(CoCreateInstance(clsid, nullptr, context, IID_IDispatch, object.ReceiveVoid()), S_OK);
  return object;
}

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
  ComPtr<IDispatch> konto = Create(L"VKSKontoServerV7.clKontoSchnittstelle"),
                    extras = Create(L"VKSKontoServerV7.clOrderZusatzInfos");
  ASSERT_TRUE(konto && extras);
  HANDLE server = vks::testing::ServerProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION);
  ASSERT_NE(server, nullptr);
  ASSERT_EQ(CallWith(extras.Get(), L"Margin", DISPATCH_PROPERTYPUT, {Variant(10.0f)}).hr, S_OK);

  const Variant missing(ErrorValue{ErrorValue::kParamNotFound});
  const Variant datum(DateValue{46000.5});
  const Variant nothing = Variant::Nothing();
  // Arguments that no Variant gives: the extras object, arrays nested deeper than the limit and
  // larger than it (which the host can still build).
  const VARIANT with_extras = ObjectArg(extras.Get());
  OwnedVariant deep, huge;
  NestedTooDeep(deep);
  huge.vt = VT_ARRAY | VT_UI1;
  huge.parray = SafeArrayCreateVector(VT_UI1, 0, VariantArray::kMaxElements + 1);
  // The arguments of VKSNeuesKontoZufügen and of VKSKontoNeuerOrderstatus for the account Depot.
  const auto neu = [&](const char* name, double kapital) {
    return std::vector<Variant>{Variant(name), Variant(""),    Variant(kapital), datum,
                                Variant(true), Variant(false), Variant(false),   Variant("")};
  };
  const auto order = [&](const std::string& id, int32_t menge, int32_t fill, float limit,
                         Variant zusatz = Variant::Nothing()) {
    std::vector<Variant> args{datum, Variant("Depot"), Variant("O" + id), Variant("WKN" + id)};
    args.insert(args.end(), {Variant("Titel"), Variant(int16_t{1}), Variant(menge), Variant(fill),
                             Variant(limit), Variant(true), zusatz});
    return args;
  };
  const std::vector<Variant> pos_werte = {
      Variant("Depot"), {}, Nested(1), Variant(1.0f), Variant(int32_t{1})};
  const Variant erfasst(int16_t{-1});
  struct Step {
    const wchar_t* name;
    std::vector<Variant> args;
    HRESULT hr;
    Variant result;  // with S_OK
    // With DISP_E_TYPEMISMATCH or DISP_E_PARAMNOTOPTIONAL the bad argument's place in rgvarg, with
    // DISP_E_EXCEPTION the automation error's number.
    int32_t detail = 0;
    const VARIANT* raw = nullptr;  // replaces argument `raw_at`
    int raw_at = 0;
  } steps[] = {
      {L"VKSNeuesKontoZufügen", neu("Depot", 50000), S_OK, Variant(true)},
      {L"VKSKontoNeuerOrderstatus", order("1", 100, 100, 20), S_OK, erfasst, 0, &with_extras, 10},
      // Nothing where the extras go: the order keeps none.
      {L"VKSKontoNeuerOrderstatus", order("2", 5, 0, 0), S_OK, erfasst},
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
      {L"InitKontoKennzahlen", {nothing}, DISP_E_EXCEPTION, {}, 424},
      {L"VKSKontoNeuerOrderstatus",
       order("3", 5, 0, 0, Variant("kein Objekt")),
       DISP_E_TYPEMISMATCH,
       {},
       0},
      // Arrays nested too deep or too large are refused before anything is written.
      {L"VKSSchreibePosWerte", pos_werte, DISP_E_EXCEPTION, {}, 28, &deep, 1},
      {L"VKSSchreibePosWerte", pos_werte, DISP_E_EXCEPTION, {}, error::kOutOfMemory, &huge, 1},
      // Text beyond Windows-1252 cannot be stored with the account: the name is refused (the
      // reason comes back in Fehlertext), and it names no account.
      {L"VKSNeuesKontoZufügen", neu("Конто 😀", 1), S_OK, Variant(false)},
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
    if (step.hr == S_OK) {
      EXPECT_TRUE(out.result == step.result);
    } else if (step.hr == DISP_E_EXCEPTION) {
      EXPECT_EQ(out.scode, static_cast<uint32_t>(HResultOfError(step.detail)));
    } else if (step.hr == DISP_E_TYPEMISMATCH || step.hr == DISP_E_PARAMNOTOPTIONAL) {
      EXPECT_EQ(out.arg_error, static_cast<UINT>(step.detail));
    }
  }

  // An error of the server: its number, source and German description.
  ComPtr<IDispatch> store = ObjectProperty(konto.Get(), 0x68030000);
  ASSERT_TRUE(store);
  const std::vector<Variant> eintrag = {Variant("k"), Variant(int32_t{1})};
  EXPECT_EQ(CallWith(store.Get(), L"Add", DISPATCH_METHOD, eintrag).hr, S_OK);
  Outcome doppelt = CallWith(store.Get(), L"Add", DISPATCH_METHOD, eintrag);
  EXPECT_EQ(doppelt.hr, DISP_E_EXCEPTION);
  EXPECT_EQ(doppelt.scode, 0x800A01C9u);  // 457
  EXPECT_EQ(doppelt.description,
            "Dieser Schlüssel ist bereits einem Element dieser Auflistung zugeordnet");
  // Keys and values beyond Windows-1252 come back as they went: the store is never saved.
  const Variant fremd("Конто 😀");
  EXPECT_EQ(CallWith(store.Get(), L"Item", DISPATCH_PROPERTYPUT, {fremd, fremd}).hr, S_OK);
  EXPECT_TRUE(CallWith(store.Get(), L"Item", DISPATCH_PROPERTYGET, {fremd}).result == fremd);
  store.Reset();

  // The event through the connection point, the host calling back from its handler.
  std::vector<std::pair<std::string, Variant>> ereignisse;  // the account, the call back's answer
  demo::EreignisSenke senke([&](const std::wstring& name) {
    const Variant n(Narrow(name));
    ereignisse.emplace_back(
        Narrow(name), CallWith(konto.Get(), L"VKSKontoExistiert", DISPATCH_METHOD, {n}).result);
    return S_OK;
  });
  ComPtr<IConnectionPointContainer> container;
  ComPtr<IConnectionPoint> point;
  ASSERT_EQ(konto->QueryInterface(IID_IConnectionPointContainer, container.ReceiveVoid()), S_OK);
  ASSERT_EQ(container->FindConnectionPoint(VKSKontoServerV7::DIID___clKontoSchnittstelle,
                                           point.Receive()),
            S_OK);
  DWORD cookie = 0;
  ASSERT_EQ(point->Advise(&senke, &cookie), S_OK);
  EXPECT_EQ(
      CallWith(konto.Get(), L"VKSStreicheKontoOrders", DISPATCH_METHOD, {Variant("Depot")}).hr,
      S_OK);
  ASSERT_EQ(ereignisse.size(), 1u);
  EXPECT_EQ(ereignisse[0].first, "Depot");
  EXPECT_TRUE(ereignisse[0].second == Variant(true));
  EXPECT_EQ(point->Unadvise(cookie), S_OK);

  // Hosts that bind events late learn the event interface from the object.
  ComPtr<IProvideClassInfo2> class_info;
  ASSERT_EQ(konto->QueryInterface(IID_IProvideClassInfo2, class_info.ReceiveVoid()), S_OK);
  GUID source{};
  EXPECT_EQ(class_info->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &source), S_OK);
  EXPECT_TRUE(source == VKSKontoServerV7::DIID___clKontoSchnittstelle);
  class_info.Reset();

  // A Dictionary property keeps the host's own dictionary: it comes back as itself.
  ComPtr<IDispatch> dictionary = Create(L"Scripting.Dictionary", CLSCTX_INPROC_SERVER);
  ASSERT_TRUE(dictionary);
  ASSERT_EQ(
      CallWith(dictionary.Get(), L"Add", DISPATCH_METHOD, {Variant("WKN1"), Variant(int32_t{7})})
          .hr,
      S_OK);
  EXPECT_EQ(
      Call(konto.Get(), L"cTitelPositionen", DISPATCH_PROPERTYPUTREF, {ObjectArg(dictionary.Get())})
          .hr,
      S_OK);
  ComPtr<IDispatch> back = ObjectProperty(konto.Get(), 0x40030000);
  ComPtr<IUnknown> mine, returned;
  dictionary->QueryInterface(IID_IUnknown, mine.ReceiveVoid());
  if (back) back->QueryInterface(IID_IUnknown, returned.ReceiveVoid());
  EXPECT_EQ(mine.Get(), returned.Get());
  back.Reset();
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
