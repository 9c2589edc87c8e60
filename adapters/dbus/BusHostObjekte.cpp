#include "adapters/dbus/BusHostObjekte.h"

#include <strings.h>
#include <cstring>

#include "adapters/dbus/BusVariant.h"
#include "adapters/dbus/ZusatzFelder.h"
#include "platform/automation/AutomationError.h"
#include "platform/automation/VariantConversions.h"
#include "vbscript/ScriptingDictionary.h"

namespace vks::dbus {

namespace {

// A plain value of a map entry as the automation value it stands for.
Variant PlainValue(BusReader& r, const char* contents) {
  if (std::strlen(contents) != 1) {
    if (std::strcmp(contents, "(qv)") == 0) return ReadVariant(r);
    throw AutomationError(error::kTypeMismatch);
  }
  switch (contents[0]) {
    case 'd':
      return Variant(r.Double());
    case 'b':
      return Variant(r.Bool());
    case 'n':
      return Variant(r.Int16());
    case 'i':
      return Variant(r.Int32());
    case 'y':
      return Variant(r.Byte());
    case 's':
      return Variant(r.String());
    default:
      throw AutomationError(error::kTypeMismatch);
  }
}

// Hosts write the names as declared; any other case is accepted too. Field names are ASCII.
const ZusatzFeld* FeldNamens(const std::string& key) {
  for (const ZusatzFeld& f : kZusatzFelder)
    if (key == f.name) return &f;
  for (const ZusatzFeld& f : kZusatzFelder)
    if (strcasecmp(key.c_str(), f.name) == 0) return &f;
  return nullptr;
}

}  // namespace

float SingleAusDouble(double d) {
  return ToSingle(Variant(d));
}

std::optional<clOrderZusatzInfos> LeseZusatzInfos(BusReader& r) {
  std::optional<clOrderZusatzInfos> zusatz;
  ReadMap(r, [&](const std::string& key, const char* contents, BusReader& value) {
    if (!zusatz) zusatz.emplace();
    const ZusatzFeld* feld = FeldNamens(key);
    if (!feld) {
      throw AutomationError(error::kMemberNotFound, "", "clOrderZusatzInfos hat kein Feld " + key);
    }
    const Variant v = PlainValue(value, contents);
    if (feld->single) {
      (*zusatz).*(feld->single) = ToSingle(v);
    } else if (feld->boolean) {
      (*zusatz).*(feld->boolean) = ToBoolean(v);
    } else {
      zusatz->MinTickSize = v;
    }
  });
  return zusatz;
}

void SchreibeZusatzInfos(BusWriter& w, const clOrderZusatzInfos* zusatz) {
  w.Open('a', "{sv}");
  for (const ZusatzFeld& f : kZusatzFelder) {
    if (!zusatz) break;
    w.Open('e', "sv");
    w.String(f.name);
    if (f.single) {
      w.Open('v', "d");
      w.Double(static_cast<double>(zusatz->*(f.single)));
    } else if (f.boolean) {
      w.Open('v', "b");
      w.Bool(zusatz->*(f.boolean));
    } else {
      w.Open('v', "(qv)");
      WriteVariant(w, zusatz->MinTickSize);
    }
    w.Close();
    w.Close();
  }
  w.Close();
}

void SchreibeDictionaryObjekt(BusWriter& w, const ObjectRef& dictionary, ObjektPfade& objekte) {
  std::vector<Variant> keys, items;
  if (dictionary) {
    const Variant k = dictionary->Invoke("Keys", InvokeKind::Method, {});
    const Variant v = dictionary->Invoke("Items", InvokeKind::Method, {});
    if (!k.IsArray() || !v.IsArray()) throw AutomationError(error::kTypeMismatch);
    keys = k.AsArray().Elements();
    items = v.AsArray().Elements();
  }
  w.Open('a', "{sv}");
  for (size_t i = 0; i < keys.size() && i < items.size(); ++i) {
    w.Open('e', "sv");
    w.String(ToString(keys[i]));
    w.Open('v', "(qv)");
    WriteVariant(w, items[i], &objekte);
    w.Close();
    w.Close();
  }
  w.Close();
}

ObjectRef LeseDictionaryObjekt(BusReader& r, ObjektPfade& objekte) {
  auto dictionary = std::make_shared<vbscript::ScriptingDictionary>();
  ReadMap(r, [&](const std::string& key, const char* contents, BusReader& value) {
    if (std::strcmp(contents, "(qv)") != 0) throw AutomationError(error::kTypeMismatch);
    Variant args[] = {Variant(key), ReadVariant(value, &objekte)};
    dictionary->Invoke("Add", InvokeKind::Method, args);
  });
  return dictionary;
}

}  // namespace vks::dbus
