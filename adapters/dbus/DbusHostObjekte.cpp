#include "adapters/dbus/DbusHostObjekte.h"

#include <QtDBus/QDBusArgument>
#include <QtDBus/QDBusVariant>
#include <array>

#include "platform/automation/AutomationError.h"
#include "platform/automation/KeyedDictionary.h"
#include "platform/automation/VariantConversions.h"
#include "adapters/dbus/DbusVariant.h"
#include "vbscript/ScriptingDictionary.h"

namespace vks::dbus {

namespace {

// A plain value of a map entry as the automation value it stands for.
Variant PlainValue(const QVariant& v) {
  const QMetaType type = v.metaType();
  if (type == QMetaType::fromType<QDBusArgument>()) return FromDbusArgument(v);
  if (type == QMetaType::fromType<double>()) return Variant(v.toDouble());
  if (type == QMetaType::fromType<bool>()) return Variant(v.toBool());
  if (type == QMetaType::fromType<qint16>())
    return Variant(static_cast<int16_t>(v.value<qint16>()));
  if (type == QMetaType::fromType<int>()) return Variant(static_cast<int32_t>(v.toInt()));
  if (type == QMetaType::fromType<uchar>()) return Variant(static_cast<uint8_t>(v.value<uchar>()));
  if (type == QMetaType::fromType<QString>()) return Variant(v.toString().toStdString());
  throw AutomationError(error::kTypeMismatch);
}

struct Feld {
  const char* name;
  float clOrderZusatzInfos::*single;
  bool clOrderZusatzInfos::*boolean;
};

// In declared order; MinTickSize, the one Variant field, is handled on its own.
constexpr std::array<Feld, 10> kFelder{{
    {"PointValue", &clOrderZusatzInfos::PointValue, nullptr},
    {"MinTickSize", nullptr, nullptr},
    {"Margin", &clOrderZusatzInfos::Margin, nullptr},
    {"Commissions", &clOrderZusatzInfos::Commissions, nullptr},
    {"CommissionsArePoints", nullptr, &clOrderZusatzInfos::CommissionsArePoints},
    {"MindestCommissions", &clOrderZusatzInfos::MindestCommissions, nullptr},
    {"MaximalCommissions", &clOrderZusatzInfos::MaximalCommissions, nullptr},
    {"ZusatzCommissions", &clOrderZusatzInfos::ZusatzCommissions, nullptr},
    {"AktUmrechnungsWert", &clOrderZusatzInfos::AktUmrechnungsWert, nullptr},
    {"UmrechnungAuchGebuehren", nullptr, &clOrderZusatzInfos::UmrechnungAuchGebuehren},
}};

// Hosts write the names as declared; any other case is accepted too.
const Feld* FeldNamens(const QString& key) {
  for (const Feld& f : kFelder)
    if (key == QLatin1String(f.name)) return &f;
  for (const Feld& f : kFelder)
    if (key.compare(QLatin1String(f.name), Qt::CaseInsensitive) == 0) return &f;
  return nullptr;
}

}  // namespace

float SingleFromDbus(const QVariant& argument) {
  return ToSingle(Variant(argument.toDouble()));
}

std::optional<clOrderZusatzInfos> ZusatzInfosFromDbus(const QVariant& argument) {
  std::optional<clOrderZusatzInfos> zusatz;
  ForEachMapEntry(argument, [&](const QString& key, const QVariant& value) {
    if (!zusatz) zusatz.emplace();
    const Feld* feld = FeldNamens(key);
    if (!feld) {
      throw AutomationError(error::kMemberNotFound, "",
                            "clOrderZusatzInfos hat kein Feld " + key.toStdString());
    }
    const Variant v = PlainValue(value);
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

QVariant ZusatzInfosToDbus(const clOrderZusatzInfos* zusatz) {
  GeordneteMap map;
  if (zusatz) {
    for (const Feld& f : kFelder) {
      QVariant value;
      if (f.single) {
        value = static_cast<double>(zusatz->*(f.single));
      } else if (f.boolean) {
        value = zusatz->*(f.boolean);
      } else {
        value = ToDbusArgument(zusatz->MinTickSize);
      }
      map.Zufuegen(QLatin1String(f.name), std::move(value));
    }
  }
  return QVariant::fromValue(map);
}

QVariant DictionaryObjektToDbus(const ObjectRef& dictionary, ObjektPfade& objekte) {
  GeordneteMap map;
  if (dictionary) {
    const Variant keys = dictionary->Invoke("Keys", InvokeKind::Method, {});
    const Variant items = dictionary->Invoke("Items", InvokeKind::Method, {});
    if (!keys.IsArray() || !items.IsArray()) throw AutomationError(error::kTypeMismatch);
    const auto& k = keys.AsArray().Elements();
    const auto& v = items.AsArray().Elements();
    for (size_t i = 0; i < k.size() && i < v.size(); ++i) {
      map.Zufuegen(QString::fromStdString(ToString(k[i])), ToDbusArgument(v[i], &objekte));
    }
  }
  return QVariant::fromValue(map);
}

ObjectRef DictionaryObjektFromDbus(const QVariant& argument, ObjektPfade& objekte) {
  auto dictionary = std::make_shared<vbscript::ScriptingDictionary>();
  ForEachMapEntry(argument, [&](const QString& key, const QVariant& value) {
    Variant args[] = {Variant(key.toStdString()), FromDbusArgument(value, &objekte)};
    dictionary->Invoke("Add", InvokeKind::Method, args);
  });
  return dictionary;
}

}  // namespace vks::dbus
