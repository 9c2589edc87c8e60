#include "adapters/dbus/BusVariant.h"

#include <cstring>
#include <vector>

#include "adapters/dbus/ArrayElementCount.h"
#include "platform/automation/AutomationError.h"

namespace vks::dbus {

namespace {

constexpr uint16_t kArrayCode = 0x200C;
constexpr const char* kArraySignature = "(a(ii)a(qv))";

AutomationError TypeMismatch() {
  return AutomationError(error::kTypeMismatch);
}

// The D-Bus type that holds each subtype's value.
const char* PayloadSignature(const Variant& v) {
  if (v.IsArray()) return kArraySignature;
  switch (v.Type()) {
    case VarType::Integer:
      return "n";
    case VarType::Long:
    case VarType::Error:
      return "i";
    case VarType::Single:
    case VarType::Double:
    case VarType::Date:
      return "d";
    case VarType::Currency:
      return "x";
    case VarType::Boolean:
      return "b";
    case VarType::Byte:
      return "y";
    case VarType::Object:
      return "o";
    default:
      return "s";  // String, and the ignored empty string of Empty and Null
  }
}

void WriteArray(BusWriter& w, const VariantArray& array, ObjektPfade* objekte, int depth) {
  w.Open('r', "a(ii)a(qv)");
  w.Open('a', "(ii)");
  for (const ArrayBound& b : array.Bounds()) {
    w.Open('r', "ii");
    w.Write(b.lower, b.count);
    w.Close();
  }
  w.Close();
  w.Open('a', "(qv)");
  for (const Variant& e : array.Elements()) WriteVariant(w, e, objekte, depth + 1);
  w.Close();
  w.Close();
}

Variant ReadArray(BusReader& r, ObjektPfade* objekte, int depth) {
  r.Enter('r', "a(ii)a(qv)");
  std::vector<ArrayBound> bounds;
  r.Enter('a', "(ii)");
  while (r.Peek() != '\0') {
    r.Enter('r', "ii");
    const auto [lower, count] = r.Read<int32_t, int32_t>();
    bounds.push_back({lower, count});
    r.Exit();
  }
  r.Exit();
  std::vector<Variant> elements;
  r.Enter('a', "(qv)");
  while (r.Peek() != '\0') elements.push_back(ReadVariant(r, objekte, depth + 1));
  r.Exit();
  r.Exit();
  CheckArrayElementCount(bounds, elements.size());
  VariantArray array(std::move(bounds));
  for (size_t i = 0; i < elements.size(); ++i) array.Elements()[i] = std::move(elements[i]);
  return Variant(std::move(array));
}

// The value of subtype `code` held in a variant whose contents are `contents`.
Variant ReadPayload(BusReader& r, uint16_t code, const char* contents, ObjektPfade* objekte,
                    int depth) {
  const auto expect = [&](const char* signature) {
    if (std::strcmp(contents, signature) != 0) throw TypeMismatch();
  };
  switch (code) {
    case 0:
    case 1:
      r.Skip(contents);
      return code == 0 ? Variant() : Variant::Null();
    case 2:
      expect("n");
      return Variant(r.Int16());
    case 3:
      expect("i");
      return Variant(r.Int32());
    case 4:
      expect("d");
      return Variant(static_cast<float>(r.Double()));
    case 5:
      expect("d");
      return Variant(r.Double());
    case 6:
      expect("x");
      return Variant(CurrencyValue{r.Int64()});
    case 7:
      expect("d");
      return Variant(DateValue{r.Double()});
    case 8:
      expect("s");
      return Variant(r.String());
    case 9: {
      // Clients that cannot say o inside a variant send the path as its text.
      const std::string path =
          std::strcmp(contents, "s") == 0 ? r.String() : (expect("o"), r.ObjectPath());
      if (path == "/") return Variant::Nothing();
      if (!objekte) throw TypeMismatch();
      return Variant(objekte->ObjektUnter(path));
    }
    case 10:
      expect("i");
      return Variant(ErrorValue{r.Int32()});
    case 11:
      expect("b");
      return Variant(r.Bool());
    case 17:
      expect("y");
      return Variant(r.Byte());
    case kArrayCode:
      expect(kArraySignature);
      return ReadArray(r, objekte, depth);
    default:
      throw TypeMismatch();
  }
}

}  // namespace

void WriteVariant(BusWriter& w, const Variant& v, ObjektPfade* objekte, int depth) {
  if (depth > kMaxBusNesting) throw AutomationError(28);  // out of stack space
  const char* signature = PayloadSignature(v);
  w.Open('r', "qv");
  w.UInt16(v.IsArray() ? kArrayCode : static_cast<uint16_t>(v.Type()));
  w.Open('v', signature);
  if (v.IsArray()) {
    WriteArray(w, v.AsArray(), objekte, depth);
  } else {
    switch (v.Type()) {
      case VarType::Integer:
        w.Int16(v.AsInteger());
        break;
      case VarType::Long:
        w.Int32(v.AsLong());
        break;
      case VarType::Single:
        w.Double(static_cast<double>(v.AsSingle()));
        break;
      case VarType::Double:
        w.Double(v.AsDouble());
        break;
      case VarType::Date:
        w.Double(v.AsDate().days);
        break;
      case VarType::Currency:
        w.Int64(v.AsCurrency().scaled);
        break;
      case VarType::String:
        w.String(v.AsString());
        break;
      case VarType::Boolean:
        w.Bool(v.AsBoolean());
        break;
      case VarType::Byte:
        w.Byte(v.AsByte());
        break;
      case VarType::Error:
        w.Int32(v.AsError().scode);
        break;
      case VarType::Object:
        if (v.AsObject() && !objekte) throw TypeMismatch();
        w.ObjectPath(v.AsObject() ? objekte->PfadVon(v.AsObject()) : std::string("/"));
        break;
      default:
        w.String(std::string());  // Empty and Null
    }
  }
  w.Close();
  w.Close();
}

Variant ReadVariant(BusReader& r, ObjektPfade* objekte, int depth) {
  if (depth > kMaxBusNesting) throw AutomationError(28);  // out of stack space
  r.Enter('r', "qv");
  const uint16_t code = r.UInt16();
  const char* contents = nullptr;
  if (r.Peek(&contents) != 'v' || !contents) throw TypeMismatch();
  const std::string signature = contents;  // the peeked text lives only until the next read
  r.Enter('v', signature.c_str());
  Variant value = ReadPayload(r, code, signature.c_str(), objekte, depth);
  r.Exit();
  r.Exit();
  return value;
}

void WriteDictionary(BusWriter& w, const KeyedDictionary<Variant>& dictionary,
                     ObjektPfade* objekte) {
  w.Open('a', "{sv}");
  for (const auto& entry : dictionary) {
    w.Open('e', "sv");
    w.String(entry.key);
    w.Open('v', "(qv)");
    WriteVariant(w, entry.value, objekte);
    w.Close();
    w.Close();
  }
  w.Close();
}

void ReadMap(BusReader& r,
             const std::function<void(const std::string&, const char*, BusReader&)>& body) {
  r.Enter('a', "{sv}");
  while (r.Peek() != '\0') {
    r.Enter('e', "sv");
    const std::string key = r.String();
    const char* contents = nullptr;
    if (r.Peek(&contents) != 'v' || !contents) throw TypeMismatch();
    const std::string signature = contents;
    r.Enter('v', signature.c_str());
    body(key, signature.c_str(), r);
    r.Exit();
    r.Exit();
  }
  r.Exit();
}

void ReadDictionary(BusReader& r, KeyedDictionary<Variant>& dictionary, ObjektPfade* objekte) {
  ReadMap(r, [&](const std::string& key, const char* contents, BusReader& value) {
    if (std::strcmp(contents, "(qv)") != 0) throw TypeMismatch();
    dictionary.Add(key, ReadVariant(value, objekte));
  });
}

}  // namespace vks::dbus
