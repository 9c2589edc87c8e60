#include "adapters/dbus/RegistryObjekt.h"

#include "platform/automation/AutomationError.h"
#include "adapters/dbus/DbusNames.h"
#include "adapters/dbus/DbusVariant.h"

namespace vks::dbus {

namespace {

std::string S(const QVariant& v) {
  return v.toString().toStdString();
}
QVariant S(const std::string& s) {
  return QString::fromStdString(s);
}
QVariantList Bool(bool b) {
  return QVariantList{b};
}

const std::vector<DbusArgument> kValueExArgs = {{"ClassKey", "i"},
                                                {"SectionKey", "s"},
                                                {"ValueKey", "s"},
                                                {"ValueType", "i"},
                                                {"Default", "(qv)"}};

}  // namespace

RegistryObjekt::RegistryObjekt(std::unique_ptr<clRegistry> registry, QString owner,
                               std::function<void()> release)
    : DbusObjekt(QLatin1String(kRegistryInterface), std::move(owner)),
      registry_(std::move(registry)) {
  AddMethods(std::move(release));
  AddProperties();
}

clRegistry& RegistryObjekt::R() {
  if (!registry_) throw AutomationError(error::kObjectNotSet);
  return *registry_;
}

void RegistryObjekt::AddProperties() {
  AddProperty({"Machine", "s", [this] { return S(R().Machine()); },
               [this](const QVariant& v) { R().Machine(S(v)); }});
  AddProperty({"KeyExists", "b", [this] { return QVariant(R().KeyExists()); }, nullptr});
  AddProperty({"Value", "(qv)", [this] { return ToDbusArgument(R().Value()); },
               [this](const QVariant& v) { R().Value(FromDbusArgument(v)); }});
  AddProperty({"ValueType", "i", [this] { return QVariant(R().ValueType()); },
               [this](const QVariant& v) { R().ValueType(v.toInt()); }});
  AddProperty({"ClassKey", "i", [this] { return QVariant(R().ClassKey()); },
               [this](const QVariant& v) { R().ClassKey(v.toInt()); }});
  AddProperty({"SectionKey", "s", [this] { return S(R().SectionKey()); },
               [this](const QVariant& v) { R().SectionKey(S(v)); }});
  AddProperty({"ValueKey", "s", [this] { return S(R().ValueKey()); },
               [this](const QVariant& v) { R().ValueKey(S(v)); }});
  AddProperty({"Default", "(qv)", [this] { return ToDbusArgument(R().Default()); },
               [this](const QVariant& v) { R().Default(FromDbusArgument(v)); }});
}

void RegistryObjekt::AddMethods(std::function<void()> release) {
  AddMethod({"CreateKey", {}, {{"result", "b"}}, [this](const QVariantList&) {
               return Bool(R().CreateKey());
             }});
  AddMethod({"DeleteKey", {}, {{"result", "b"}}, [this](const QVariantList&) {
               return Bool(R().DeleteKey());
             }});
  AddMethod({"DeleteValue", {}, {{"result", "b"}}, [this](const QVariantList&) {
               return Bool(R().DeleteValue());
             }});
  AddMethod({"EnumerateValues", {}, {{"result", "(qv)"}}, [this](const QVariantList&) {
               return QVariantList{ToDbusArgument(R().EnumerateValues())};
             }});
  AddMethod({"EnumerateSections", {}, {{"result", "(qv)"}}, [this](const QVariantList&) {
               return QVariantList{ToDbusArgument(R().EnumerateSections())};
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
             [this](const QVariantList& a) {
               R().CreateEXEAssociation(S(a[0]), S(a[1]), S(a[2]), S(a[3]), S(a[4]), a[5].toBool(),
                                        S(a[6]), a[7].toBool(), S(a[8]), a[9].toBool(), S(a[10]),
                                        a[11].toInt());
               return QVariantList{};
             }});
  AddMethod({"CreateAdditionalEXEAssociations",
             {{"sClassName", "s"}, {"vItems", "(qv)"}},
             {{"vItems", "(qv)"}},
             [this](const QVariantList& a) {
               const Variant items = FromDbusArgument(a[1]);
               R().CreateAdditionalEXEAssociations(S(a[0]), items);
               return QVariantList{ToDbusArgument(items)};
             }});
  // The by-reference arguments come back as the object holds them afterwards.
  const auto by_ref = [this] {
    return QVariantList{R().ClassKey(), S(R().SectionKey()), S(R().ValueKey()), R().ValueType(),
                        ToDbusArgument(R().Default())};
  };
  std::vector<DbusArgument> out = {{"result", "(qv)"}};
  out.insert(out.end(), kValueExArgs.begin(), kValueExArgs.end());
  AddMethod({"ValueEx", kValueExArgs, out, [this, by_ref](const QVariantList& a) {
               const Variant v = R().ValueEx(a[0].toInt(), S(a[1]), S(a[2]), a[3].toInt(),
                                             FromDbusArgument(a[4]));
               return QVariantList{ToDbusArgument(v)} + by_ref();
             }});
  std::vector<DbusArgument> let_in = kValueExArgs;
  let_in.push_back({"NewValue", "(qv)"});
  AddMethod({"LetValueEx", let_in, kValueExArgs, [this, by_ref](const QVariantList& a) {
               R().ValueEx(a[0].toInt(), S(a[1]), S(a[2]), a[3].toInt(), FromDbusArgument(a[4]),
                           FromDbusArgument(a[5]));
               return by_ref();
             }});
  AddMethod({"Release", {}, {}, [release](const QVariantList&) {
               release();
               return QVariantList{};
             }});
}

}  // namespace vks::dbus
