// The type library that the program carries, read back through LoadTypeLibEx and held against the
// interface description, member by member; the GUIDs against the values first chosen.
#include <windows.h>

#include <oleauto.h>

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <map>

#include "VKSKontoServerV7.h"
#include "adapters/com/ComPtr.h"
#include "adapters/com/TypeLibraryDescription.h"
#include "adapters/com/TypeLibraryWriter.h"
#include "adapters/com/WideText.h"

namespace vks::com {
namespace {

std::string ReadDescription() {
  std::ifstream in(VKS_DESCRIPTION, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string GuidText(const GUID& guid) {
  wchar_t text[40];
  StringFromGUID2(guid, text, 40);
  return Narrow(text);
}

std::string Name(ITypeInfo* info, MEMBERID member = MEMBERID_NIL) {
  BSTR name = nullptr;
  if (!info || FAILED(info->GetDocumentation(member, &name, nullptr, nullptr, nullptr))) return "?";
  std::string text = Narrow(name ? name : L"");
  SysFreeString(name);
  return text;
}

// A parameter's or result's type as text: "*" for each pointer level, then the automation type
// or the name of the referenced type.
std::string TypeText(ITypeInfo* owner, const TYPEDESC& t) {
  static const std::map<VARTYPE, std::string> kNames = {
      {VT_I2, "Integer"},      {VT_I4, "Long"},   {VT_R4, "Single"},   {VT_R8, "Double"},
      {VT_CY, "Currency"},     {VT_DATE, "Date"}, {VT_BSTR, "String"}, {VT_BOOL, "Boolean"},
      {VT_VARIANT, "Variant"}, {VT_UI1, "Byte"},  {VT_VOID, "Void"},   {VT_HRESULT, "HRESULT"}};
  if (t.vt == VT_PTR) return "*" + TypeText(owner, *t.lptdesc);
  if (t.vt == VT_USERDEFINED) {
    ComPtr<ITypeInfo> ref;
    if (FAILED(owner->GetRefTypeInfo(t.hreftype, ref.Receive()))) return "?";
    return Name(ref.Get());
  }
  auto it = kNames.find(t.vt);
  return it == kNames.end() ? "VT " + std::to_string(t.vt) : it->second;
}

// The same text as the description gives it.
std::string ExpectedTypeText(const TypeLibraryDescription& lib, const TypeRef& t) {
  if (t.base == BaseType::Dictionary) return "*IDictionary";
  if (t.base == BaseType::Object) return "*" + lib.FindClass(t.name)->default_interface;
  return TypeName(t);
}

std::string DefaultText(const VARIANT& v) {
  if (v.vt == VT_BOOL) return v.boolVal ? "True" : "False";
  if (v.vt == VT_BSTR) return Narrow(v.bstrVal ? v.bstrVal : L"");
  if (v.vt == VT_I2 || v.vt == VT_I4) return std::to_string(v.vt == VT_I2 ? v.iVal : v.lVal);
  return "VT " + std::to_string(v.vt);
}

// The type's attributes, copied out of the info.
TYPEATTR Attributes(ITypeInfo* info) {
  TYPEATTR* type = nullptr;
  TYPEATTR copy{};
  EXPECT_EQ(info->GetTypeAttr(&type), S_OK);
  if (type) copy = *type, info->ReleaseTypeAttr(type);
  return copy;
}

// The type that `info` implements at `index`; null when there is none.
ComPtr<ITypeInfo> Implemented(ITypeInfo* info, UINT index) {
  HREFTYPE ref = 0;
  ComPtr<ITypeInfo> type;
  if (SUCCEEDED(info->GetRefTypeOfImplType(index, &ref))) info->GetRefTypeInfo(ref, type.Receive());
  return type;
}

// A dual interface's type info is its dispatch view; the function table is the view behind it.
ComPtr<ITypeInfo> FunctionTableView(const ComPtr<ITypeInfo>& info) {
  ComPtr<ITypeInfo> table = Implemented(info.Get(), -1);
  return table ? table : info;
}

class TypeLibraryTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    description_ = new TypeLibraryDescription(ReadTypeLibraryDescription(ReadDescription()));
    wchar_t exe[MAX_PATH];
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    ITypeLib* raw = nullptr;
    load_result_ = LoadTypeLibEx(exe, REGKIND_NONE, &raw);
    library_ = raw;
  }
  static void TearDownTestSuite() {
    if (library_) library_->Release();
    delete description_;
  }
  void SetUp() override { ASSERT_EQ(load_result_, S_OK) << "LoadTypeLibEx on the test program"; }

  // The type info of the given name; fails the test when the library has none.
  static ComPtr<ITypeInfo> Find(const std::string& name) {
    ComPtr<ITypeInfo> found;
    for (UINT i = 0; i < library_->GetTypeInfoCount(); ++i) {
      ComPtr<ITypeInfo> info;
      if (SUCCEEDED(library_->GetTypeInfo(i, info.Receive())) && Name(info.Get()) == name)
        found = info;
    }
    EXPECT_TRUE(found) << name << " is not in the type library";
    return found;
  }

  static inline TypeLibraryDescription* description_ = nullptr;
  static inline ITypeLib* library_ = nullptr;
  static inline HRESULT load_result_ = E_FAIL;
};

// The library's name, version and help text, and its GUIDs and its types' as first chosen: hosts
// built against the library know these, and a GUID that changes breaks them all.
TEST_F(TypeLibraryTest, LibraryIsNamedVersionedAndKeepsItsGuids) {
  static const struct {
    const char* name;
    const char* guid;
  } kPinned[] = {
      {"eOrderAktion", "{D4FE5F07-3B1C-4522-812F-37497C78949F}"},
      {"eKontoKennzahl", "{76D2A37B-0D44-47A4-9753-A5796C107D10}"},
      {"eKontoDatenArt", "{3B6141DE-5924-4CC1-911D-050A1252A614}"},
      {"ERegistryClassConstants", "{F706D53F-86F4-40F9-AA76-2FBF1B614662}"},
      {"ERegistryValueTypes", "{69997D7A-1F13-41D3-B396-D704759B6CBE}"},
      {"_clKontoSchnittstelle", "{4380DAD9-BDFE-4E8E-A9D7-7C6612F57FE5}"},
      {"__clKontoSchnittstelle", "{45B7B842-C05C-4FB6-8CFB-8079966E7A86}"},
      {"clKontoSchnittstelle", "{F3F2E6EC-2170-460B-9942-931BD2CFE619}"},
      {"_clRegistry", "{871659D7-2DC6-42EA-9F81-C82ADF38B2F5}"},
      {"clRegistry", "{67F5A5A0-3472-450B-84E9-1A6C724677A3}"},
      {"_clKontoGlobalData", "{575164AD-89BD-44CC-B2E2-AA1568CE8173}"},
      {"clKontoGlobalData", "{2B13F7C0-3739-48D7-9200-B6E705F62641}"},
      {"_clOrderZusatzInfos", "{F7F6B4CA-5730-439C-94FA-6AA4FCCB999D}"},
      {"clOrderZusatzInfos", "{0D826401-EA45-4F80-87D1-BE87FB490AB8}"},
  };
  TLIBATTR* attr = nullptr;
  ASSERT_EQ(library_->GetLibAttr(&attr), S_OK);
  EXPECT_EQ(GuidText(attr->guid), "{17017253-6350-49B6-9C50-6BD8BD1E8F25}");
  EXPECT_EQ(GuidText(attr->guid), description_->guid);
  EXPECT_EQ(attr->wMajorVerNum, 1);
  EXPECT_EQ(attr->wMinorVerNum, 0);
  library_->ReleaseTLibAttr(attr);
  BSTR name = nullptr, help = nullptr;
  ASSERT_EQ(library_->GetDocumentation(-1, &name, &help, nullptr, nullptr), S_OK);
  EXPECT_EQ(Narrow(name), "VKSKontoServerV7");
  EXPECT_EQ(Narrow(help), "VKS Kontoserver Version 7");
  SysFreeString(name);
  SysFreeString(help);
  EXPECT_EQ(library_->GetTypeInfoCount(), std::size(kPinned));
  for (const auto& pinned : kPinned) {
    ComPtr<ITypeInfo> info = Find(pinned.name);
    if (!info) continue;
    EXPECT_EQ(GuidText(Attributes(info.Get()).guid), pinned.guid) << pinned.name;
  }
}

TEST_F(TypeLibraryTest, EnumerationsHoldTheDescribedValuesInOrder) {
  for (const auto& e : description_->enums) {
    ComPtr<ITypeInfo> info = Find(e.name);
    if (!info) continue;
    const TYPEATTR type = Attributes(info.Get());
    EXPECT_EQ(type.typekind, TKIND_ENUM) << e.name;
    EXPECT_EQ(GuidText(type.guid), e.guid) << e.name;
    ASSERT_EQ(type.cVars, e.values.size()) << e.name;
    for (UINT i = 0; i < e.values.size(); ++i) {
      VARDESC* var = nullptr;
      ASSERT_EQ(info->GetVarDesc(i, &var), S_OK);
      EXPECT_EQ(Name(info.Get(), var->memid), e.values[i].first) << e.name << " #" << i;
      ASSERT_EQ(var->lpvarValue->vt, VT_I4) << e.values[i].first;
      EXPECT_EQ(var->lpvarValue->lVal, e.values[i].second) << e.values[i].first;
      info->ReleaseVarDesc(var);
    }
  }
  EXPECT_EQ(description_->enums.size(), 5u);
}

TEST_F(TypeLibraryTest, InterfacesHoldTheDescribedMembersInOrder) {
  for (const auto& itf : description_->interfaces) {
    ComPtr<ITypeInfo> info = Find(itf.name);
    if (!info) continue;
    if (itf.dual) info = FunctionTableView(info);
    const TYPEATTR type = Attributes(info.Get());
    EXPECT_EQ(GuidText(type.guid), itf.guid) << itf.name;
    EXPECT_EQ(type.typekind, itf.dual ? TKIND_INTERFACE : TKIND_DISPATCH) << itf.name;
    EXPECT_EQ((type.wTypeFlags & TYPEFLAG_FDUAL) != 0, itf.dual) << itf.name;
    EXPECT_EQ(type.cImplTypes, 1) << itf.name;
    // A dispatch-only interface lists IUnknown's and IDispatch's seven members first.
    const UINT first = itf.dual ? 0 : 7;
    ASSERT_EQ(type.cFuncs, first + itf.members.size()) << itf.name;
    EXPECT_EQ(Name(Implemented(info.Get(), 0).Get()), "IDispatch") << itf.name;

    for (UINT i = 0; i < itf.members.size(); ++i) {
      const MemberDescription& m = itf.members[i];
      SCOPED_TRACE(itf.name + "." + m.name + " slot " + std::to_string(i + 1));
      FUNCDESC* f = nullptr;
      ASSERT_EQ(info->GetFuncDesc(first + i, &f), S_OK);
      EXPECT_EQ(f->memid, m.dispid);
      EXPECT_EQ(f->invkind, InvokeKindOf(m.kind));
      // Names: the member's, then the parameters' (an assignment's value and the result unnamed).
      BSTR names[32] = {};
      UINT count = 0;
      ASSERT_EQ(info->GetNames(f->memid, names, 32, &count), S_OK);
      std::vector<std::string> got, want{m.name};
      for (UINT n = 0; n < count; ++n) got.push_back(Narrow(names[n])), SysFreeString(names[n]);
      for (const auto& p : m.parameters)
        if (!p.name.empty()) want.push_back(p.name);
      // GetNames answers for the dispatch identifier, so a property's get and put share names.
      if (m.kind == MemberKind::Function) {
        EXPECT_EQ(got, want);
      }
      EXPECT_EQ(got.at(0), m.name);

      bool retval = itf.dual && m.result.base != BaseType::Void;
      ASSERT_EQ(f->cParams, static_cast<SHORT>(m.parameters.size() + (retval ? 1 : 0)));
      for (size_t p = 0; p < m.parameters.size(); ++p) {
        const ParameterDescription& want_p = m.parameters[p];
        const ELEMDESC& e = f->lprgelemdescParam[p];
        SCOPED_TRACE("parameter " + std::to_string(p + 1) + " " + want_p.name);
        EXPECT_EQ(TypeText(info.Get(), e.tdesc),
                  (want_p.by_ref ? "*" : "") + ExpectedTypeText(*description_, want_p.type));
        USHORT flags = PARAMFLAG_FIN;
        if (want_p.by_ref) flags |= PARAMFLAG_FOUT;
        if (want_p.default_value) flags |= PARAMFLAG_FOPT | PARAMFLAG_FHASDEFAULT;
        EXPECT_EQ(e.paramdesc.wParamFlags, flags);
        if (want_p.default_value && (e.paramdesc.wParamFlags & PARAMFLAG_FHASDEFAULT)) {
          EXPECT_EQ(DefaultText(e.paramdesc.pparamdescex->varDefaultValue), *want_p.default_value);
        }
      }
      if (retval) {
        const ELEMDESC& r = f->lprgelemdescParam[m.parameters.size()];
        EXPECT_EQ(r.paramdesc.wParamFlags, PARAMFLAG_FOUT | PARAMFLAG_FRETVAL);
        EXPECT_EQ(TypeText(info.Get(), r.tdesc), "*" + ExpectedTypeText(*description_, m.result));
      }
      EXPECT_EQ(TypeText(info.Get(), f->elemdescFunc.tdesc),
                itf.dual ? "HRESULT" : ExpectedTypeText(*description_, m.result));
      info->ReleaseFuncDesc(f);
    }
  }
}

TEST_F(TypeLibraryTest, ClassesNameTheirInterfacesAndEvents) {
  for (const auto& c : description_->classes) {
    SCOPED_TRACE(c.name);
    ComPtr<ITypeInfo> info = Find(c.name);
    if (!info) continue;
    const TYPEATTR type = Attributes(info.Get());
    EXPECT_EQ(type.typekind, TKIND_COCLASS);
    EXPECT_EQ((type.wTypeFlags & TYPEFLAG_FCANCREATE) != 0, c.creatable);
    ASSERT_EQ(type.cImplTypes, c.events.empty() ? 1 : 2);
    for (UINT i = 0; i < (c.events.empty() ? 1u : 2u); ++i) {
      INT flags = 0;
      ASSERT_EQ(info->GetImplTypeFlags(i, &flags), S_OK);
      EXPECT_EQ(Name(Implemented(info.Get(), i).Get()), i == 0 ? c.default_interface : c.events);
      EXPECT_EQ(flags,
                i == 0 ? IMPLTYPEFLAG_FDEFAULT : IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE);
    }
  }
}

// Facts of the contract written out once more, apart from the description's reader: a slip in
// reading the annotations would otherwise pass unseen on both sides.
TEST_F(TypeLibraryTest, ContractFactsAndNamesWithoutRegardToCase) {
  static const struct {
    const char* owner;
    const char* asked_as;  // the name in another case, as a late-binding host may write it
    DISPID dispid;
    INVOKEKIND kind;
    SHORT parameters;  // as a late-binding host sees them: without the result
  } kFacts[] = {
      {"_clKontoSchnittstelle", "vksneueskontozufÜgen", 0x60030011, INVOKE_FUNC, 8},
      {"_clKontoSchnittstelle", "KONTOGLOBALDATA", 0x68030000, INVOKE_PROPERTYGET, 0},
      {"_clKontoSchnittstelle", "vksKontoNeuerOrderstatus", 0x6003000E, INVOKE_FUNC, 11},
      {"__clKontoSchnittstelle", "alleordersstreichen", 1, INVOKE_FUNC, 1},
      {"_clRegistry", "createexeassociation", 0x6003000F, INVOKE_FUNC, 12},
      {"_clRegistry", "valueex", 0x68030001, INVOKE_PROPERTYGET, 5},
      {"_clKontoGlobalData", "item", DISPID_VALUE, INVOKE_PROPERTYGET, 1},
      {"_clOrderZusatzInfos", "mintickSize", 0x40030001, INVOKE_PROPERTYGET, 0},
  };
  for (const auto& fact : kFacts) {
    SCOPED_TRACE(std::string(fact.owner) + "." + fact.asked_as);
    ComPtr<ITypeInfo> info = Find(fact.owner);
    if (!info) continue;
    std::wstring name = Widen(fact.asked_as);
    LPOLESTR names[] = {name.data()};
    MEMBERID id = 0;
    ASSERT_EQ(info->GetIDsOfNames(names, 1, &id), S_OK);
    EXPECT_EQ(id, fact.dispid);
    bool found = false;
    for (UINT i = 0; i < Attributes(info.Get()).cFuncs && !found; ++i) {
      FUNCDESC* f = nullptr;
      ASSERT_EQ(info->GetFuncDesc(i, &f), S_OK);
      if (f->memid == fact.dispid && f->invkind == fact.kind) {
        found = true;
        EXPECT_EQ(f->cParams, fact.parameters);
      }
      info->ReleaseFuncDesc(f);
    }
    EXPECT_TRUE(found);
  }
}

// The generated declarations put each member in the function-table slot that the library gives
// it, so that an early-bound host and our objects agree on the table.
template <class Interface>
void ExpectDeclaredSlotsMatch(ITypeInfo* info) {
  std::vector<std::pair<std::string, INVOKEKIND>> declared;
  std::vector<ptrdiff_t> offsets;
  ForEachFunction(static_cast<const Interface*>(nullptr),
                  [&](const char* name, INVOKEKIND kind, auto member) {
                    // A pointer to a virtual member holds its table offset plus one (the Itanium
                    // C++ ABI).
                    struct Raw {
                      ptrdiff_t ptr, adj;
                    } raw;
                    static_assert(sizeof(member) == sizeof(Raw));
                    std::memcpy(&raw, &member, sizeof raw);
                    declared.emplace_back(name, kind);
                    offsets.push_back(raw.ptr - 1);
                  });
  ASSERT_EQ(declared.size(), Attributes(info).cFuncs);
  for (UINT i = 0; i < declared.size(); ++i) {
    FUNCDESC* f = nullptr;
    ASSERT_EQ(info->GetFuncDesc(i, &f), S_OK);
    EXPECT_EQ(Name(info, f->memid), declared[i].first);
    EXPECT_EQ(f->invkind, declared[i].second) << declared[i].first;
    EXPECT_EQ(f->oVft, offsets[i]) << declared[i].first;
    info->ReleaseFuncDesc(f);
  }
}

TEST_F(TypeLibraryTest, DeclaredFunctionTablesAreTheLibrarys) {
  using namespace VKSKontoServerV7;
  ExpectDeclaredSlotsMatch<_clKontoSchnittstelle>(
      FunctionTableView(Find("_clKontoSchnittstelle")).Get());
  ExpectDeclaredSlotsMatch<_clRegistry>(FunctionTableView(Find("_clRegistry")).Get());
  ExpectDeclaredSlotsMatch<_clKontoGlobalData>(FunctionTableView(Find("_clKontoGlobalData")).Get());
  ExpectDeclaredSlotsMatch<_clOrderZusatzInfos>(
      FunctionTableView(Find("_clOrderZusatzInfos")).Get());
  EXPECT_EQ(GuidText(IID__clKontoSchnittstelle), "{4380DAD9-BDFE-4E8E-A9D7-7C6612F57FE5}");
  EXPECT_EQ(GuidText(CLSID_clRegistry), "{67F5A5A0-3472-450B-84E9-1A6C724677A3}");
}

}  // namespace
}  // namespace vks::com
