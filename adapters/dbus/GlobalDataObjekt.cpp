#include "adapters/dbus/GlobalDataObjekt.h"

#include "adapters/dbus/BusVariant.h"
#include "adapters/dbus/DbusNames.h"

namespace vks::dbus {

GlobalDataObjekt::GlobalDataObjekt(std::shared_ptr<clKontoGlobalData> daten, ObjektPfade& objekte)
    : DbusObjekt(kGlobalDataInterface, std::string()), daten_(std::move(daten)) {
  clKontoGlobalData& d = *daten_;
  ObjektPfade* o = &objekte;
  AddMethod({"Add", {{"Key", "s"}, {"NewValue", "(qv)"}}, {}, [&d, o](BusReader& r, BusWriter&) {
               const std::string key = r.String();
               d.Add(key, ReadVariant(r, o));
             }});
  AddMethod(
      {"Remove", {{"Key", "s"}}, {}, [&d](BusReader& r, BusWriter&) { d.Remove(r.String()); }});
  AddMethod({"KeyExists", {{"Key", "s"}}, {{"result", "b"}}, [&d](BusReader& r, BusWriter& w) {
               w.Bool(d.KeyExists(r.String()));
             }});
  AddMethod({"AddCategory", {{"Key", "s"}}, {{"result", "b"}}, [&d](BusReader& r, BusWriter& w) {
               w.Bool(d.AddCategory(r.String()));
             }});
  AddMethod({"Item", {{"Key", "s"}}, {{"result", "(qv)"}}, [&d, o](BusReader& r, BusWriter& w) {
               WriteVariant(w, d.Item(r.String()), o);
             }});
  AddMethod(
      {"LetItem", {{"Key", "s"}, {"NewValue", "(qv)"}}, {}, [&d, o](BusReader& r, BusWriter&) {
         const std::string key = r.String();
         d.Item(key, ReadVariant(r, o));
       }});
  AddMethod({"RemoveAll", {}, {}, [&d](BusReader&, BusWriter&) { d.RemoveAll(); }});
  AddProperty(
      {"GetAllKeys", "(qv)", [&d](BusWriter& w) { WriteVariant(w, d.GetAllKeys()); }, nullptr});
}

}  // namespace vks::dbus
