#include "adapters/com/TypeLibraryWriter.h"

#include <windows.h>

#include <oaidl.h>
#include <oleauto.h>

#include <cstdio>
#include <map>
#include <memory>
#include <stdexcept>

#include "adapters/com/ComPtr.h"
#include "adapters/com/WideText.h"

namespace vks::com {

INVOKEKIND InvokeKindOf(MemberKind kind) {
  switch (kind) {
    case MemberKind::PropertyGet:
      return INVOKE_PROPERTYGET;
    case MemberKind::PropertyLet:
      return INVOKE_PROPERTYPUT;
    case MemberKind::PropertySet:
      return INVOKE_PROPERTYPUTREF;
    default:
      return INVOKE_FUNC;
  }
}

GUID ParseGuid(const std::string& text) {
  GUID guid{};
  if (FAILED(CLSIDFromString(Widen(text).c_str(), &guid)))
    throw std::runtime_error("not a GUID: " + text);
  return guid;
}

namespace {

void Check(HRESULT hr, const std::string& what) {
  if (FAILED(hr)) {
    char code[16];
    std::snprintf(code, sizeof code, "%08lX", static_cast<unsigned long>(hr));
    throw std::runtime_error(what + " failed with 0x" + code);
  }
}

VARTYPE PlainVarType(BaseType base) {
  switch (base) {
    case BaseType::Void:
      return VT_VOID;
    case BaseType::Integer:
      return VT_I2;
    case BaseType::Long:
      return VT_I4;
    case BaseType::Single:
      return VT_R4;
    case BaseType::Double:
      return VT_R8;
    case BaseType::Currency:
      return VT_CY;
    case BaseType::Date:
      return VT_DATE;
    case BaseType::String:
      return VT_BSTR;
    case BaseType::Boolean:
      return VT_BOOL;
    case BaseType::Variant:
      return VT_VARIANT;
    case BaseType::Byte:
      return VT_UI1;
    default:
      return VT_EMPTY;  // references to other types
  }
}

// Builds the library: every type info is created first, so that members can refer to any of
// them, then filled and laid out.
class Builder {
 public:
  Builder(const TypeLibraryDescription& lib, const std::wstring& path) : lib_(lib) {
    ICreateTypeLib2* raw = nullptr;
    Check(CreateTypeLib2(SYS_WIN64, path.c_str(), &raw), "CreateTypeLib2");
    library_.Attach(raw);
  }

  void Build() {
    std::wstring name = Widen(lib_.name), help = Widen(lib_.help_string);
    GUID guid = ParseGuid(lib_.guid);
    Check(library_->SetName(name.data()), "SetName");
    Check(library_->SetGuid(guid), "SetGuid");
    Check(library_->SetVersion(lib_.major_version, lib_.minor_version), "SetVersion");
    Check(library_->SetLcid(LOCALE_NEUTRAL), "SetLcid");
    Check(library_->SetDocString(help.data()), "SetDocString");
    LoadImports();
    for (const auto& e : lib_.enums) Create(e.name, TKIND_ENUM, e.guid);
    for (const auto& i : lib_.interfaces)
      Create(i.name, i.dual ? TKIND_INTERFACE : TKIND_DISPATCH, i.guid);
    for (const auto& c : lib_.classes) Create(c.name, TKIND_COCLASS, c.guid);
    for (const auto& e : lib_.enums) FillEnum(e);
    for (const auto& i : lib_.interfaces) FillInterface(i);
    for (const auto& c : lib_.classes) FillClass(c);
    for (const auto& type_name : order_)
      Check(infos_.at(type_name)->LayOut(), "LayOut of " + type_name);
    Check(library_->SaveAllChanges(), "SaveAllChanges");
  }

 private:
  void LoadImports() {
    ITypeLib* raw = nullptr;
    Check(LoadTypeLib(L"stdole2.tlb", &raw), "LoadTypeLib of stdole2.tlb");
    ComPtr<ITypeLib> stdole;
    stdole.Attach(raw);
    Check(stdole->GetTypeInfoOfGuid(IID_IDispatch, dispatch_.Receive()), "IDispatch's type info");
    Check(LoadTypeLib(L"scrrun.dll", &raw), "LoadTypeLib of the scripting runtime");
    ComPtr<ITypeLib> scripting;
    scripting.Attach(raw);
    Check(scripting->GetTypeInfoOfGuid(kIID_IDictionary, dictionary_.Receive()),
          "IDictionary's type info");
  }

  void Create(const std::string& type_name, TYPEKIND kind, const std::string& guid) {
    std::wstring wide = Widen(type_name);
    ICreateTypeInfo* raw = nullptr;
    Check(library_->CreateTypeInfo(wide.data(), kind, &raw), "CreateTypeInfo " + type_name);
    ComPtr<ICreateTypeInfo> info;
    info.Attach(raw);
    Check(info->SetGuid(ParseGuid(guid)), "SetGuid of " + type_name);
    order_.push_back(type_name);
    infos_.emplace(type_name, std::move(info));
  }

  HREFTYPE Reference(ICreateTypeInfo* from, ITypeInfo* to, const std::string& what) {
    HREFTYPE href = 0;
    Check(from->AddRefTypeInfo(to, &href), "AddRefTypeInfo " + what);
    return href;
  }
  HREFTYPE Reference(ICreateTypeInfo* from, const std::string& type_name) {
    ComPtr<ITypeInfo> to;
    Check(infos_.at(type_name)->QueryInterface(IID_ITypeInfo, to.ReceiveVoid()),
          "ITypeInfo of " + type_name);
    return Reference(from, to.Get(), type_name);
  }

  void FillEnum(const EnumDescription& e) {
    ICreateTypeInfo* info = infos_.at(e.name).Get();
    for (size_t i = 0; i < e.values.size(); ++i) {
      VARIANT value;
      VariantInit(&value);
      value.vt = VT_I4;
      value.lVal = e.values[i].second;
      VARDESC var{};
      var.memid = static_cast<MEMBERID>(0x40000000 + i);
      var.lpvarValue = &value;
      var.elemdescVar.tdesc.vt = VT_I4;
      var.varkind = VAR_CONST;
      std::string what = e.name + "." + e.values[i].first;
      Check(info->AddVarDesc(static_cast<UINT>(i), &var), "AddVarDesc " + what);
      std::wstring name = Widen(e.values[i].first);
      Check(info->SetVarName(static_cast<UINT>(i), name.data()), "SetVarName " + what);
    }
  }

  // The type descriptions of one member live here until AddFuncDesc has copied them.
  struct Types {
    std::vector<std::unique_ptr<TYPEDESC>> nodes;
    TYPEDESC Describe(Builder& b, ICreateTypeInfo* info, const TypeRef& type) {
      TYPEDESC t{};
      switch (type.base) {
        case BaseType::Enum:
          t.vt = VT_USERDEFINED;
          t.hreftype = b.Reference(info, type.name);
          return t;
        case BaseType::Object:
          return Pointer(
              UserDefined(b.Reference(info, b.lib_.FindClass(type.name)->default_interface)));
        case BaseType::Dictionary:
          return Pointer(UserDefined(b.Reference(info, b.dictionary_.Get(), "IDictionary")));
        default:
          t.vt = PlainVarType(type.base);
          return t;
      }
    }
    static TYPEDESC UserDefined(HREFTYPE href) {
      TYPEDESC t{};
      t.vt = VT_USERDEFINED;
      t.hreftype = href;
      return t;
    }
    TYPEDESC Pointer(TYPEDESC to) {
      nodes.push_back(std::make_unique<TYPEDESC>(to));
      TYPEDESC t{};
      t.vt = VT_PTR;
      t.lptdesc = nodes.back().get();
      return t;
    }
  };

  void FillInterface(const InterfaceDescription& itf) {
    ICreateTypeInfo* info = infos_.at(itf.name).Get();
    WORD flags = TYPEFLAG_FHIDDEN | TYPEFLAG_FNONEXTENSIBLE;
    if (itf.dual) flags |= TYPEFLAG_FDUAL | TYPEFLAG_FOLEAUTOMATION;
    Check(info->SetTypeFlags(flags), "SetTypeFlags " + itf.name);
    Check(info->AddImplType(0, Reference(info, dispatch_.Get(), "IDispatch")),
          "AddImplType " + itf.name);
    for (size_t index = 0; index < itf.members.size(); ++index)
      AddMember(info, itf, itf.members[index], static_cast<UINT>(index));
  }

  void AddMember(ICreateTypeInfo* info, const InterfaceDescription& itf, const MemberDescription& m,
                 UINT index) {
    std::string what = itf.name + "." + m.name;
    Types types;
    std::vector<ELEMDESC> params;
    std::vector<std::unique_ptr<PARAMDESCEX>> defaults;
    std::vector<std::wstring> names{Widen(m.name)};
    for (const auto& p : m.parameters) {
      ELEMDESC e{};
      e.tdesc = types.Describe(*this, info, p.type);
      e.paramdesc.wParamFlags = PARAMFLAG_FIN;
      if (p.by_ref) {
        e.tdesc = types.Pointer(e.tdesc);
        e.paramdesc.wParamFlags |= PARAMFLAG_FOUT;
      }
      if (p.default_value) {
        defaults.push_back(std::make_unique<PARAMDESCEX>());
        defaults.back()->cBytes = sizeof(PARAMDESCEX);
        SetDefault(defaults.back()->varDefaultValue, p.type, *p.default_value);
        e.paramdesc.pparamdescex = defaults.back().get();
        e.paramdesc.wParamFlags |= PARAMFLAG_FOPT | PARAMFLAG_FHASDEFAULT;
      }
      params.push_back(e);
      if (!p.name.empty()) names.push_back(Widen(p.name));
    }
    FUNCDESC f{};
    f.memid = m.dispid;
    f.callconv = CC_STDCALL;
    f.invkind = InvokeKindOf(m.kind);
    if (itf.dual) {
      // The function table's form: an HRESULT, the result as the last, [out, retval] parameter.
      f.funckind = FUNC_PUREVIRTUAL;
      f.elemdescFunc.tdesc.vt = VT_HRESULT;
      if (m.result.base != BaseType::Void) {
        ELEMDESC r{};
        r.tdesc = types.Pointer(types.Describe(*this, info, m.result));
        r.paramdesc.wParamFlags = PARAMFLAG_FOUT | PARAMFLAG_FRETVAL;
        params.push_back(r);
      }
    } else {
      f.funckind = FUNC_DISPATCH;
      f.elemdescFunc.tdesc = types.Describe(*this, info, m.result);
    }
    f.cParams = static_cast<SHORT>(params.size());
    f.lprgelemdescParam = params.data();
    HRESULT hr = info->AddFuncDesc(index, &f);
    for (auto& d : defaults) VariantClear(&d->varDefaultValue);
    Check(hr, "AddFuncDesc " + what);
    std::vector<LPOLESTR> name_ptrs;
    for (auto& n : names) name_ptrs.push_back(n.data());
    Check(info->SetFuncAndParamNames(index, name_ptrs.data(), static_cast<UINT>(name_ptrs.size())),
          "SetFuncAndParamNames " + what);
  }

  static void SetDefault(VARIANT& v, const TypeRef& type, const std::string& text) {
    VariantInit(&v);
    switch (type.base) {
      case BaseType::Boolean:
        v.vt = VT_BOOL;
        v.boolVal = text == "True" ? VARIANT_TRUE : VARIANT_FALSE;
        break;
      case BaseType::String:
        v.vt = VT_BSTR;
        v.bstrVal = SysAllocString(Widen(text).c_str());
        break;
      case BaseType::Integer:
        v.vt = VT_I2;
        v.iVal = static_cast<SHORT>(std::stol(text));
        break;
      case BaseType::Byte:
        v.vt = VT_UI1;
        v.bVal = static_cast<BYTE>(std::stol(text));
        break;
      default:  // Long and enumerations; the description checked that the text is a number
        v.vt = VT_I4;
        v.lVal = static_cast<LONG>(std::stoll(text));
        break;
    }
  }

  void FillClass(const ClassDescription& c) {
    ICreateTypeInfo* info = infos_.at(c.name).Get();
    Check(info->SetTypeFlags(c.creatable ? TYPEFLAG_FCANCREATE : 0), "SetTypeFlags " + c.name);
    Check(info->AddImplType(0, Reference(info, c.default_interface)), "AddImplType " + c.name);
    Check(info->SetImplTypeFlags(0, IMPLTYPEFLAG_FDEFAULT), "SetImplTypeFlags " + c.name);
    if (!c.events.empty()) {
      Check(info->AddImplType(1, Reference(info, c.events)), "AddImplType " + c.events);
      Check(info->SetImplTypeFlags(1, IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE),
            "SetImplTypeFlags " + c.events);
    }
  }

  const TypeLibraryDescription& lib_;
  ComPtr<ICreateTypeLib2> library_;
  ComPtr<ITypeInfo> dispatch_, dictionary_;
  std::map<std::string, ComPtr<ICreateTypeInfo>> infos_;
  std::vector<std::string> order_;
};

}  // namespace

void WriteTypeLibrary(const TypeLibraryDescription& library, const std::wstring& path) {
  Builder(library, path).Build();
}

}  // namespace vks::com
