#include "adapters/dbus/GlobalDataObjekt.h"

#include "adapters/dbus/DbusNames.h"
#include "adapters/dbus/DbusVariant.h"

namespace vks::dbus {

GlobalDataObjekt::GlobalDataObjekt(std::shared_ptr<clKontoGlobalData> daten, ObjektPfade& objekte)
    : DbusObjekt(QLatin1String(kGlobalDataInterface), QString()), daten_(std::move(daten)) {
  clKontoGlobalData& d = *daten_;
  ObjektPfade* o = &objekte;
  auto key = [](const QVariant& v) { return v.toString().toStdString(); };
  AddMethod({"Add", {{"Key", "s"}, {"NewValue", "(qv)"}}, {}, [&d, o, key](const QVariantList& a) {
               d.Add(key(a[0]), FromDbusArgument(a[1], o));
               return QVariantList{};
             }});
  AddMethod({"Remove", {{"Key", "s"}}, {}, [&d, key](const QVariantList& a) {
               d.Remove(key(a[0]));
               return QVariantList{};
             }});
  AddMethod({"KeyExists", {{"Key", "s"}}, {{"result", "b"}}, [&d, key](const QVariantList& a) {
               return QVariantList{d.KeyExists(key(a[0]))};
             }});
  AddMethod({"AddCategory", {{"Key", "s"}}, {{"result", "b"}}, [&d, key](const QVariantList& a) {
               return QVariantList{d.AddCategory(key(a[0]))};
             }});
  AddMethod({"Item", {{"Key", "s"}}, {{"result", "(qv)"}}, [&d, o, key](const QVariantList& a) {
               return QVariantList{ToDbusArgument(d.Item(key(a[0])), o)};
             }});
  AddMethod(
      {"LetItem", {{"Key", "s"}, {"NewValue", "(qv)"}}, {}, [&d, o, key](const QVariantList& a) {
         d.Item(key(a[0]), FromDbusArgument(a[1], o));
         return QVariantList{};
       }});
  AddMethod({"RemoveAll", {}, {}, [&d](const QVariantList&) {
               d.RemoveAll();
               return QVariantList{};
             }});
  AddProperty({"GetAllKeys", "(qv)", [&d] { return ToDbusArgument(d.GetAllKeys()); }, nullptr});
}

}  // namespace vks::dbus
