#include "adapters/dbus/RegistryObjekt.h"

#include "adapters/dbus/BusVariant.h"
#include "adapters/dbus/DbusNames.h"
#include "platform/automation/AutomationError.h"

namespace vks::dbus {

namespace {

const std::vector<DbusArgument> kValueExArgs = {{"ClassKey", "i"},
                                                {"SectionKey", "s"},
                                                {"ValueKey", "s"},
                                                {"ValueType", "i"},
                                                {"Default", "(qv)"}};

}  // namespace

RegistryObjekt::RegistryObjekt(std::shared_ptr<clRegistry> registry, std::string owner,
                               std::function<void()> release)
    : DbusObjekt(kRegistryInterface, std::move(owner)), registry_(std::move(registry)) {
  AddMethods(std::move(release));
  AddProperties();
}

clRegistry& RegistryObjekt::R() {
  if (!registry_) throw AutomationError(error::kObjectNotSet);
  return *registry_;
}

void RegistryObjekt::AddProperties() {
  AddProperty({"Machine", "s", [this](BusWriter& w) { w.String(R().Machine()); },
               [this](BusReader& r) { R().Machine(r.String()); }});
  AddProperty({"KeyExists", "b", [this](BusWriter& w) { w.Bool(R().KeyExists()); }, nullptr});
  AddProperty({"Value", "(qv)", [this](BusWriter& w) { WriteVariant(w, R().Value()); },
               [this](BusReader& r) { R().Value(ReadVariant(r)); }});
  AddProperty({"ValueType", "i", [this](BusWriter& w) { w.Int32(R().ValueType()); },
               [this](BusReader& r) { R().ValueType(r.Int32()); }});
  AddProperty({"ClassKey", "i", [this](BusWriter& w) { w.Int32(R().ClassKey()); },
               [this](BusReader& r) { R().ClassKey(r.Int32()); }});
  AddProperty({"SectionKey", "s", [this](BusWriter& w) { w.String(R().SectionKey()); },
               [this](BusReader& r) { R().SectionKey(r.String()); }});
  AddProperty({"ValueKey", "s", [this](BusWriter& w) { w.String(R().ValueKey()); },
               [this](BusReader& r) { R().ValueKey(r.String()); }});
  AddProperty({"Default", "(qv)", [this](BusWriter& w) { WriteVariant(w, R().Default()); },
               [this](BusReader& r) { R().Default(ReadVariant(r)); }});
}

void RegistryObjekt::AddMethods(std::function<void()> release) {
  AddMethod({"CreateKey", {}, {{"result", "b"}}, [this](BusReader&, BusWriter& w) {
               w.Bool(R().CreateKey());
             }});
  AddMethod({"DeleteKey", {}, {{"result", "b"}}, [this](BusReader&, BusWriter& w) {
               w.Bool(R().DeleteKey());
             }});
  AddMethod({"DeleteValue", {}, {{"result", "b"}}, [this](BusReader&, BusWriter& w) {
               w.Bool(R().DeleteValue());
             }});
  AddMethod({"EnumerateValues", {}, {{"result", "(qv)"}}, [this](BusReader&, BusWriter& w) {
               WriteVariant(w, R().EnumerateValues());
             }});
  AddMethod({"EnumerateSections", {}, {{"result", "(qv)"}}, [this](BusReader&, BusWriter& w) {
               WriteVariant(w, R().EnumerateSections());
             }});
  AddMethod({"CreateEXEAssociation",
             {{"sExePath", "s"},
              {"sClassName", "s"},
              {"sClassDescription", "s"},
              {"sAssociation", "s"},
              {"sOpenMenuText", "s"},
              {"bSupportPrint", "b"},
              {"sPrintMenuText", "s"},
              {"bSupportNew", "b"},
              {"sNewMenuText", "s"},
              {"bSupportInstall", "b"},
              {"sInstallMenuText", "s"},
              {"lDefaultIconIndex", "i"}},
             {},
             [this](BusReader& r, BusWriter&) {
               const auto a =
                   r.Read<std::string, std::string, std::string, std::string, std::string, bool,
                          std::string, bool, std::string, bool, std::string, int32_t>();
               std::apply([this](const auto&... args) { R().CreateEXEAssociation(args...); }, a);
             }});
  AddMethod({"CreateAdditionalEXEAssociations",
             {{"sClassName", "s"}, {"vItems", "(qv)"}},
             {{"vItems", "(qv)"}},
             [this](BusReader& r, BusWriter& w) {
               const std::string klasse = r.String();
               const Variant items = ReadVariant(r);
               R().CreateAdditionalEXEAssociations(klasse, items);
               WriteVariant(w, items);
             }});
  // The by-reference arguments come back as the object holds them afterwards.
  const auto by_ref = [this](BusWriter& w) {
    w.Write(R().ClassKey(), R().SectionKey(), R().ValueKey(), R().ValueType());
    WriteVariant(w, R().Default());
  };
  std::vector<DbusArgument> out = {{"result", "(qv)"}};
  out.insert(out.end(), kValueExArgs.begin(), kValueExArgs.end());
  AddMethod({"ValueEx", kValueExArgs, out, [this, by_ref](BusReader& r, BusWriter& w) {
               const auto [klasse, section, key, typ] =
                   r.Read<int32_t, std::string, std::string, int32_t>();
               const Variant standard = ReadVariant(r);
               WriteVariant(w, R().ValueEx(klasse, section, key, typ, standard));
               by_ref(w);
             }});
  std::vector<DbusArgument> let_in = kValueExArgs;
  let_in.push_back({"NewValue", "(qv)"});
  AddMethod({"LetValueEx", let_in, kValueExArgs, [this, by_ref](BusReader& r, BusWriter& w) {
               const auto [klasse, section, key, typ] =
                   r.Read<int32_t, std::string, std::string, int32_t>();
               const Variant standard = ReadVariant(r);
               const Variant neu = ReadVariant(r);
               R().ValueEx(klasse, section, key, typ, standard, neu);
               by_ref(w);
             }});
  AddMethod({"Release", {}, {}, [release](BusReader&, BusWriter&) { release(); }});
}

}  // namespace vks::dbus
