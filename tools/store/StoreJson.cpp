#include "tools/store/StoreJson.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

#include "platform/automation/AutomationDate.h"
#include "platform/automation/AutomationError.h"
#include "platform/automation/StoreFormat.h"
#include "platform/automation/Windows1252.h"

namespace vks {
namespace {

// Keys a tagged value may carry; anything else is most likely a typing error in a hand-edited file.
constexpr std::string_view kKnownKeys[] = {"type",   "value",    "bits",   "text", "scaled",
                                           "bounds", "elements", "record", "field"};

std::string Hex(uint64_t bits, int digits) {
  char text[24];
  std::snprintf(text, sizeof text, "0x%0*llX", digits, static_cast<unsigned long long>(bits));
  return text;
}

std::string DateText(double days) {
  if (!std::isfinite(days) || days < kMinAutomationDate || days > kMaxAutomationDate) return {};
  try {
    CalendarDateTime t = FromAutomationDate(DateValue{days});
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", t.year, t.month, t.day,
                  t.hour, t.minute, t.second);
    return text;
  } catch (const AutomationError&) {
    return {};
  }
}

std::string CurrencyText(int64_t scaled) {
  uint64_t magnitude = scaled < 0 ? 0 - static_cast<uint64_t>(scaled) : scaled;
  char text[32];
  std::snprintf(text, sizeof text, "%s%llu.%04llu", scaled < 0 ? "-" : "",
                static_cast<unsigned long long>(magnitude / 10000),
                static_cast<unsigned long long>(magnitude % 10000));
  return text;
}

// A Single as the shortest decimal that reads back to it, unless reading that decimal as a Double
// first would round differently; then its exact value as a Double.
StoreJson SingleNumber(float value) {
  char text[32];
  auto end = std::to_chars(text, text + sizeof text, value).ptr;
  *end = '\0';
  double shortest = std::strtod(text, nullptr);
  if (std::bit_cast<uint32_t>(static_cast<float>(shortest)) == std::bit_cast<uint32_t>(value))
    return shortest;
  return static_cast<double>(value);
}

StoreJson Tagged(const char* type) {
  return StoreJson{{"type", type}};
}

class Parser {
 public:
  Variant Parse(const StoreJson& json, const std::string& path, int depth) {
    if (!json.is_object()) Fail(path, "erwartet ein Objekt mit \"type\"");
    for (const auto& [key, unused] : json.items()) {
      if (std::find(std::begin(kKnownKeys), std::end(kKnownKeys), key) == std::end(kKnownKeys))
        Fail(path, "unbekannter Schlüssel \"" + key + "\"");
    }
    auto type_it = json.find("type");
    if (type_it == json.end() || !type_it->is_string()) Fail(path, "\"type\" fehlt");
    const std::string& type = type_it->get_ref<const std::string&>();
    if (type == "Empty") return Variant();
    if (type == "Null") return Variant::Null();
    if (type == "Integer")
      return Variant(static_cast<int16_t>(Integer(json, path, INT16_MIN, INT16_MAX)));
    if (type == "Long")
      return Variant(static_cast<int32_t>(Integer(json, path, INT32_MIN, INT32_MAX)));
    if (type == "Byte") return Variant(static_cast<uint8_t>(Integer(json, path, 0, 255)));
    if (type == "Boolean") {
      const StoreJson& value = Member(json, path, "value");
      if (!value.is_boolean()) Fail(path + "/value", "erwartet true oder false");
      return Variant(value.get<bool>());
    }
    if (type == "String") {
      const StoreJson& value = Member(json, path, "value");
      if (!value.is_string()) Fail(path + "/value", "erwartet einen Text");
      const std::string& text = value.get_ref<const std::string&>();
      Result<std::string> bytes = Utf8ToWindows1252(text);
      if (!bytes.ok()) Fail(path + "/value", bytes.error().Description());
      if (bytes->size() > store::kMaxStringBytes)
        Fail(path + "/value", "Text ist länger als 65535 Bytes");
      return Variant(text);
    }
    if (type == "Single") return Variant(Single(json, path));
    if (type == "Double") return Variant(Double(json, path));
    if (type == "Date") {
      double days = Double(json, path);
      CheckText(json, path, DateText(days));
      return Variant(DateValue{days});
    }
    if (type == "Currency") {
      auto scaled = static_cast<int64_t>(Integer(json, path, INT64_MIN, INT64_MAX, "scaled"));
      CheckText(json, path, CurrencyText(scaled));
      return Variant(CurrencyValue{scaled});
    }
    if (type == "Array") return Array(json, path, depth);
    Fail(path + "/type", "unbekannter Typ \"" + type + "\"");
  }

 private:
  [[noreturn]] static void Fail(const std::string& path, const std::string& what) {
    throw AutomationError(error::kInvalidCall, "",
                          "JSON " + (path.empty() ? std::string("/") : path) + ": " + what);
  }

  static const StoreJson& Member(const StoreJson& json, const std::string& path, const char* key) {
    auto it = json.find(key);
    if (it == json.end()) Fail(path, std::string("\"") + key + "\" fehlt");
    return *it;
  }

  static int64_t Integer(const StoreJson& json, const std::string& path, int64_t min, int64_t max,
                         const char* key = "value") {
    const StoreJson& value = Member(json, path, key);
    const std::string where = path + "/" + key;
    if (value.is_number_unsigned()) {
      uint64_t n = value.get<uint64_t>();
      if (max < 0 || n > static_cast<uint64_t>(max)) Fail(where, "Wert außerhalb des Bereichs");
      return static_cast<int64_t>(n);
    }
    if (!value.is_number_integer()) Fail(where, "erwartet eine ganze Zahl");
    int64_t n = value.get<int64_t>();
    if (n < min || n > max) Fail(where, "Wert außerhalb des Bereichs");
    return n;
  }

  // "bits": "0x" and exactly `digits` hexadecimal digits.
  static uint64_t Bits(const StoreJson& json, const std::string& path, int digits) {
    const StoreJson& bits = Member(json, path, "bits");
    const std::string where = path + "/bits";
    if (!bits.is_string()) Fail(where, "erwartet \"0x\" und Hexziffern");
    const std::string& text = bits.get_ref<const std::string&>();
    if (text.size() != static_cast<size_t>(digits) + 2 || text[0] != '0' ||
        (text[1] != 'x' && text[1] != 'X')) {
      Fail(where, "erwartet \"0x\" und " + std::to_string(digits) + " Hexziffern");
    }
    uint64_t result = 0;
    auto [end, ec] = std::from_chars(text.data() + 2, text.data() + text.size(), result, 16);
    if (ec != std::errc() || end != text.data() + text.size())
      Fail(where, "erwartet \"0x\" und " + std::to_string(digits) + " Hexziffern");
    return result;
  }

  static double Number(const StoreJson& json, const std::string& path) {
    const StoreJson& value = Member(json, path, "value");
    if (!value.is_number()) Fail(path + "/value", "erwartet eine Zahl");
    double d = value.get<double>();
    if (!std::isfinite(d))
      Fail(path + "/value", "Zahl zu groß; unendliche Werte und NaN gehören in \"bits\"");
    return d;
  }

  static void OnlyOneOf(const StoreJson& json, const std::string& path) {
    if (json.contains("bits") && json.contains("value"))
      Fail(path, "\"value\" und \"bits\" zugleich angegeben");
  }

  static double Double(const StoreJson& json, const std::string& path) {
    OnlyOneOf(json, path);
    if (json.contains("bits")) return std::bit_cast<double>(Bits(json, path, 16));
    return Number(json, path);
  }

  static float Single(const StoreJson& json, const std::string& path) {
    OnlyOneOf(json, path);
    if (json.contains("bits"))
      return std::bit_cast<float>(static_cast<uint32_t>(Bits(json, path, 8)));
    // The dump writes the largest Singles as decimals just beyond them, which still round to them.
    const float value = static_cast<float>(Number(json, path));
    if (!std::isfinite(value)) Fail(path + "/value", "Wert außerhalb des Single-Bereichs");
    return value;
  }

  static void CheckText(const StoreJson& json, const std::string& path,
                        const std::string& expected) {
    auto it = json.find("text");
    if (it == json.end()) return;
    if (!it->is_string() || it->get_ref<const std::string&>() != expected) {
      Fail(path + "/text",
           "passt nicht zum Wert (dieser ergibt \"" + expected +
               "\"); maßgeblich ist der Wert, den Text bitte anpassen oder löschen");
    }
  }

  Variant Array(const StoreJson& json, const std::string& path, int depth) {
    if (depth >= store::kMaxNesting)
      Fail(path, "Datenfelder tiefer als " + std::to_string(store::kMaxNesting) +
                     " Ebenen verschachtelt");
    const StoreJson& bounds_json = Member(json, path, "bounds");
    if (!bounds_json.is_array() || bounds_json.empty() ||
        bounds_json.size() > static_cast<size_t>(store::kMaxDimensions)) {
      Fail(path + "/bounds",
           "erwartet 1 bis " + std::to_string(store::kMaxDimensions) + " Dimensionen");
    }
    std::vector<ArrayBound> bounds;
    uint64_t total = 1;
    for (size_t d = 0; d < bounds_json.size(); ++d) {
      const std::string where = path + "/bounds/" + std::to_string(d);
      const StoreJson& bound = bounds_json[d];
      if (!bound.is_object() || bound.size() != 2)
        Fail(where, "erwartet {\"lower\": …, \"count\": …}");
      ArrayBound b;
      b.lower = static_cast<int32_t>(Integer(bound, where, INT32_MIN, INT32_MAX, "lower"));
      b.count = static_cast<int32_t>(Integer(bound, where, 0, INT32_MAX, "count"));
      if (int64_t{b.lower} + b.count - 1 > INT32_MAX)
        Fail(where, "Obergrenze außerhalb des Long-Bereichs");
      total *= static_cast<uint64_t>(b.count);
      if (total > static_cast<uint64_t>(VariantArray::kMaxElements))
        Fail(where, "zu viele Elemente");
      bounds.push_back(b);
    }
    const StoreJson& elements = Member(json, path, "elements");
    if (!elements.is_array() || elements.size() != total) {
      Fail(path + "/elements",
           "erwartet " + std::to_string(total) + " Elemente, nicht " +
               (elements.is_array() ? std::to_string(elements.size()) : std::string("kein Feld")));
    }
    VariantArray array(std::move(bounds));
    for (size_t i = 0; i < elements.size(); ++i) {
      array.Elements()[i] = Parse(elements[i], path + "/elements/" + std::to_string(i), depth + 1);
    }
    return Variant(std::move(array));
  }
};

}  // namespace

StoreJson VariantToJson(const Variant& value) {
  switch (value.Type()) {
    case VarType::Empty:
      return Tagged("Empty");
    case VarType::Null:
      return Tagged("Null");
    case VarType::Integer: {
      StoreJson j = Tagged("Integer");
      j["value"] = value.AsInteger();
      return j;
    }
    case VarType::Long: {
      StoreJson j = Tagged("Long");
      j["value"] = value.AsLong();
      return j;
    }
    case VarType::Byte: {
      StoreJson j = Tagged("Byte");
      j["value"] = value.AsByte();
      return j;
    }
    case VarType::Boolean: {
      StoreJson j = Tagged("Boolean");
      j["value"] = value.AsBoolean();
      return j;
    }
    case VarType::String: {
      StoreJson j = Tagged("String");
      j["value"] = value.AsString();
      return j;
    }
    case VarType::Single: {
      StoreJson j = Tagged("Single");
      float f = value.AsSingle();
      if (std::isfinite(f)) {
        j["value"] = SingleNumber(f);
      } else {
        j["bits"] = Hex(std::bit_cast<uint32_t>(f), 8);
      }
      return j;
    }
    case VarType::Double:
    case VarType::Date: {
      const bool date = value.Type() == VarType::Date;
      StoreJson j = Tagged(date ? "Date" : "Double");
      double d = date ? value.AsDate().days : value.AsDouble();
      if (std::isfinite(d)) {
        j["value"] = d;
      } else {
        j["bits"] = Hex(std::bit_cast<uint64_t>(d), 16);
      }
      if (date) {
        std::string text = DateText(d);
        if (!text.empty()) j["text"] = text;
      }
      return j;
    }
    case VarType::Currency: {
      StoreJson j = Tagged("Currency");
      j["scaled"] = value.AsCurrency().scaled;
      j["text"] = CurrencyText(value.AsCurrency().scaled);
      return j;
    }
    case VarType::Array: {
      const VariantArray& array = value.AsArray();
      StoreJson j = Tagged("Array");
      StoreJson bounds = StoreJson::array();
      for (const ArrayBound& b : array.Bounds())
        bounds.push_back(StoreJson{{"lower", b.lower}, {"count", b.count}});
      j["bounds"] = std::move(bounds);
      StoreJson elements = StoreJson::array();
      for (const Variant& element : array.Elements()) elements.push_back(VariantToJson(element));
      j["elements"] = std::move(elements);
      return j;
    }
    default:
      throw AutomationError(error::kTypeMismatch, "",
                            "Werte vom Typ " + std::to_string(value.VarTypeCode()) +
                                " können nicht gespeichert werden");
  }
}

Variant JsonToVariant(const StoreJson& json) {
  return Parser().Parse(json, "", 0);
}

}  // namespace vks
