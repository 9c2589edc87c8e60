#include "adapters/dbus/DbusVariant.h"

#include <QtDBus/QDBusMetaType>
#include <QtDBus/QDBusObjectPath>

#include "adapters/dbus/ArrayElementCount.h"
#include "platform/automation/AutomationError.h"

QDBusArgument& operator<<(QDBusArgument& arg, const vks::dbus::TaggedVariant& v) {
  arg.beginStructure();
  arg << v.type << v.value;
  arg.endStructure();
  return arg;
}
const QDBusArgument& operator>>(const QDBusArgument& arg, vks::dbus::TaggedVariant& v) {
  arg.beginStructure();
  arg >> v.type >> v.value;
  arg.endStructure();
  return arg;
}
QDBusArgument& operator<<(QDBusArgument& arg, const vks::dbus::DbusArrayBound& v) {
  arg.beginStructure();
  arg << v.lower << v.count;
  arg.endStructure();
  return arg;
}
const QDBusArgument& operator>>(const QDBusArgument& arg, vks::dbus::DbusArrayBound& v) {
  arg.beginStructure();
  arg >> v.lower >> v.count;
  arg.endStructure();
  return arg;
}
QDBusArgument& operator<<(QDBusArgument& arg, const vks::dbus::DbusArray& v) {
  arg.beginStructure();
  arg << v.bounds << v.elements;
  arg.endStructure();
  return arg;
}
const QDBusArgument& operator>>(const QDBusArgument& arg, vks::dbus::DbusArray& v) {
  arg.beginStructure();
  arg >> v.bounds >> v.elements;
  arg.endStructure();
  return arg;
}

QDBusArgument& operator<<(QDBusArgument& arg, const vks::dbus::GeordneteMap& map) {
  arg.beginMap(QMetaType::fromType<QString>(), QMetaType::fromType<QDBusVariant>());
  for (const auto& [key, value] : map.eintraege) {
    arg.beginMapEntry();
    arg << key << QDBusVariant(value);
    arg.endMapEntry();
  }
  arg.endMap();
  return arg;
}
const QDBusArgument& operator>>(const QDBusArgument& arg, vks::dbus::GeordneteMap& map) {
  arg.beginMap();
  while (!arg.atEnd()) {
    QString key;
    QDBusVariant value;
    arg.beginMapEntry();
    arg >> key >> value;
    arg.endMapEntry();
    map.Zufuegen(std::move(key), value.variant());
  }
  arg.endMap();
  return arg;
}

namespace vks::dbus {

namespace {

constexpr quint16 kArrayCode = 0x200C;

AutomationError TypeMismatch() {
  return AutomationError(error::kTypeMismatch);
}

// A nested struct arrives as a QDBusArgument; only the expected signature is read from it, so a
// client's malformed value never reaches the demarshaller.
template <class T>
T Demarshal(const QVariant& value, const char* signature) {
  if (value.metaType() != QMetaType::fromType<QDBusArgument>()) throw TypeMismatch();
  const auto arg = value.value<QDBusArgument>();
  if (arg.currentSignature() != QLatin1String(signature)) throw TypeMismatch();
  T result;
  arg >> result;
  return result;
}

template <class T>
T Payload(const QVariant& value) {
  if (value.metaType() != QMetaType::fromType<T>()) throw TypeMismatch();
  return value.value<T>();
}

}  // namespace

void RegisterVariantTypes() {
  qDBusRegisterMetaType<TaggedVariant>();
  qDBusRegisterMetaType<QList<TaggedVariant>>();
  qDBusRegisterMetaType<DbusArrayBound>();
  qDBusRegisterMetaType<QList<DbusArrayBound>>();
  qDBusRegisterMetaType<DbusArray>();
  qDBusRegisterMetaType<GeordneteMap>();
}

TaggedVariant ToDbus(const Variant& v, ObjektPfade* objekte, int depth) {
  if (depth > kMaxNesting) throw AutomationError(28);  // out of stack space
  TaggedVariant t;
  t.type = v.IsArray() ? kArrayCode : static_cast<quint16>(v.Type());
  QVariant payload;
  switch (v.Type()) {
    case VarType::Empty:
    case VarType::Null:
      payload = QString();
      break;
    case VarType::Integer:
      payload = QVariant::fromValue<qint16>(v.AsInteger());
      break;
    case VarType::Long:
      payload = QVariant::fromValue<qint32>(v.AsLong());
      break;
    case VarType::Single:
      payload = static_cast<double>(v.AsSingle());
      break;
    case VarType::Double:
      payload = v.AsDouble();
      break;
    case VarType::Currency:
      payload = QVariant::fromValue<qint64>(v.AsCurrency().scaled);
      break;
    case VarType::Date:
      payload = v.AsDate().days;
      break;
    case VarType::String:
      payload = QString::fromStdString(v.AsString());
      break;
    case VarType::Boolean:
      payload = v.AsBoolean();
      break;
    case VarType::Byte:
      payload = QVariant::fromValue<uchar>(v.AsByte());
      break;
    case VarType::Error:
      payload = QVariant::fromValue<qint32>(v.AsError().scode);
      break;
    case VarType::Object:
      if (v.AsObject() && !objekte) throw TypeMismatch();
      payload = QVariant::fromValue(
          QDBusObjectPath(v.AsObject() ? QString::fromStdString(objekte->PfadVon(v.AsObject()))
                                       : QStringLiteral("/")));
      break;
    default: {
      DbusArray a;
      for (const ArrayBound& b : v.AsArray().Bounds()) a.bounds.push_back({b.lower, b.count});
      for (const Variant& e : v.AsArray().Elements())
        a.elements.push_back(ToDbus(e, objekte, depth + 1));
      payload = QVariant::fromValue(a);
    }
  }
  t.value = QDBusVariant(payload);
  return t;
}

Variant FromDbus(const TaggedVariant& t, ObjektPfade* objekte, int depth) {
  if (depth > kMaxNesting) throw AutomationError(28);  // out of stack space
  const QVariant& p = t.value.variant();
  switch (t.type) {
    case 0:
      return Variant();
    case 1:
      return Variant::Null();
    case 2:
      return Variant(static_cast<int16_t>(Payload<qint16>(p)));
    case 3:
      return Variant(static_cast<int32_t>(Payload<qint32>(p)));
    case 4:
      return Variant(static_cast<float>(Payload<double>(p)));
    case 5:
      return Variant(Payload<double>(p));
    case 6:
      return Variant(CurrencyValue{Payload<qint64>(p)});
    case 7:
      return Variant(DateValue{Payload<double>(p)});
    case 8:
      return Variant(Payload<QString>(p).toStdString());
    case 9: {
      // Inside a struct QtDBus hands an object path over as its text.
      const QString path = p.metaType() == QMetaType::fromType<QString>()
                               ? p.toString()
                               : Payload<QDBusObjectPath>(p).path();
      if (path == QLatin1String("/")) return Variant::Nothing();
      if (!objekte) throw TypeMismatch();
      return Variant(objekte->ObjektUnter(path.toStdString()));
    }
    case 10:
      return Variant(ErrorValue{Payload<qint32>(p)});
    case 11:
      return Variant(Payload<bool>(p));
    case 17:
      return Variant(static_cast<uint8_t>(Payload<uchar>(p)));
    case kArrayCode: {
      const auto a = Demarshal<DbusArray>(p, "(a(ii)a(qv))");
      std::vector<ArrayBound> bounds;
      for (const DbusArrayBound& b : a.bounds) bounds.push_back({b.lower, b.count});
      CheckArrayElementCount(bounds, static_cast<size_t>(a.elements.size()));
      VariantArray array(std::move(bounds));
      for (qsizetype i = 0; i < a.elements.size(); ++i) {
        array.Elements()[static_cast<size_t>(i)] = FromDbus(a.elements[i], objekte, depth + 1);
      }
      return Variant(std::move(array));
    }
    default:
      throw TypeMismatch();
  }
}

Variant FromDbusArgument(const QVariant& argument, ObjektPfade* objekte) {
  return FromDbus(Demarshal<TaggedVariant>(argument, "(qv)"), objekte);
}

QVariant ToDbusArgument(const Variant& value, ObjektPfade* objekte) {
  return QVariant::fromValue(ToDbus(value, objekte));
}

QVariant DictionaryToDbus(const KeyedDictionary<Variant>& dictionary, ObjektPfade* objekte) {
  GeordneteMap map;
  for (const auto& entry : dictionary)
    map.Zufuegen(QString::fromStdString(entry.key), ToDbusArgument(entry.value, objekte));
  return QVariant::fromValue(map);
}

void ForEachMapEntry(const QVariant& argument,
                     const std::function<void(const QString&, const QVariant&)>& body) {
  for (const auto& [key, value] : Demarshal<GeordneteMap>(argument, "a{sv}").eintraege)
    body(key, value);
}

void DictionaryFromDbus(const QVariant& argument, KeyedDictionary<Variant>& dictionary,
                        ObjektPfade* objekte) {
  ForEachMapEntry(argument, [&](const QString& key, const QVariant& value) {
    dictionary.Add(key.toStdString(), FromDbusArgument(value, objekte));
  });
}

}  // namespace vks::dbus
