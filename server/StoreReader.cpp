#include "server/StoreReader.h"

#include <algorithm>
#include <bit>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "platform/automation/AutomationError.h"
#include "platform/automation/Windows1252.h"
#include "server/StoreFormat.h"

namespace vks {
namespace {

class Reader {
 public:
  explicit Reader(std::string_view bytes, size_t offset) : bytes_(bytes), pos_(offset) {}
  size_t Offset() const { return pos_; }

  Variant ReadVariant(int depth) {
    size_t start = pos_;
    uint16_t type = Get<uint16_t>("Variant-Typ");
    switch (type) {
      case store::kTypeEmpty:
        return Variant();
      case store::kTypeNull:
        return Variant::Null();
      case store::kTypeInteger:
        return Variant(Get<int16_t>("Integer-Wert"));
      case store::kTypeLong:
        return Variant(Get<int32_t>("Long-Wert"));
      case store::kTypeSingle:
        return Variant(Get<float>("Single-Wert"));
      case store::kTypeDouble:
        return Variant(Get<double>("Double-Wert"));
      case store::kTypeCurrency:
        return Variant(CurrencyValue{Get<int64_t>("Currency-Wert")});
      case store::kTypeDate:
        return Variant(DateValue{Get<double>("Datumswert")});
      case store::kTypeString:
        return Variant(ReadString());
      case store::kTypeBoolean: {
        int16_t value = Get<int16_t>("Boolean-Wert");
        if (value != 0 && value != -1)
          Malformed(start + 2, "ungültiger Boolean-Wert " + std::to_string(value));
        return Variant(value != 0);
      }
      case store::kTypeByte:
        return Variant(Get<uint8_t>("Byte-Wert"));
      case store::kTypeVariantArray:
        return ReadArray(start, depth);
      default: {
        char hex[8];
        std::snprintf(hex, sizeof hex, "0x%04X", type);
        Malformed(start, std::string("unbekannter Variant-Typ ") + hex);
      }
    }
  }

  std::optional<std::vector<ArrayBound>> ReadArrayHeader() {
    size_t start = pos_;
    if (Get<uint16_t>("Variant-Typ") != store::kTypeVariantArray) {
      pos_ = start;
      return std::nullopt;
    }
    return ReadArrayBounds(start);
  }

 private:
  [[noreturn]] void Malformed(size_t at, const std::string& what) {
    throw AutomationError(5, "",
                          "Kontendatei beschädigt: " + what + " an Byte " + std::to_string(at));
  }
  [[noreturn]] void Truncated(size_t at, const char* what) {
    throw AutomationError(62, "",
                          std::string("Kontendatei endet vorzeitig: ") + what + " an Byte " +
                              std::to_string(at) + " fehlt (Dateilänge " +
                              std::to_string(bytes_.size()) + ")");
  }

  size_t Remaining() const { return bytes_.size() - pos_; }

  template <class T>
  T Get(const char* what) {
    if (Remaining() < sizeof(T)) Truncated(pos_, what);
    char raw[sizeof(T)];
    std::memcpy(raw, bytes_.data() + pos_, sizeof(T));
    if constexpr (std::endian::native == std::endian::big) std::reverse(raw, raw + sizeof(T));
    pos_ += sizeof(T);
    T value;
    std::memcpy(&value, raw, sizeof(T));
    return value;
  }

  std::string ReadString() {
    size_t at = pos_;
    uint16_t length = Get<uint16_t>("Textlänge");
    if (Remaining() < length)
      Truncated(at, ("Text mit " + std::to_string(length) + " Bytes").c_str());
    std::string_view raw = bytes_.substr(pos_, length);
    pos_ += length;
    bool ascii = std::all_of(raw.begin(), raw.end(),
                             [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    return ascii ? std::string(raw) : Windows1252ToUtf8(raw);
  }

  // After the type: dimension count and bounds, checked against the bytes that remain.
  std::vector<ArrayBound> ReadArrayBounds(size_t start) {
    uint16_t dimensions = Get<uint16_t>("Anzahl der Dimensionen");
    if (dimensions == 0 || dimensions > store::kMaxDimensions)
      Malformed(start + 2, "ungültige Anzahl Dimensionen " + std::to_string(dimensions));
    std::vector<ArrayBound> bounds(dimensions);
    uint64_t elements = 1;
    for (ArrayBound& bound : bounds) {
      size_t at = pos_;
      bound.count = Get<int32_t>("Elementanzahl");
      bound.lower = Get<int32_t>("Untergrenze");
      if (bound.count < 0) Malformed(at, "negative Elementanzahl " + std::to_string(bound.count));
      if (int64_t{bound.lower} + bound.count - 1 > INT32_MAX)
        Malformed(at, "Obergrenze außerhalb des Long-Bereichs");
      elements *= static_cast<uint64_t>(bound.count);
      if (elements > bytes_.size()) break;  // too many already; stops before it can overflow
    }
    // Every element takes at least its two type bytes.
    if (elements * 2 > Remaining())
      Malformed(start, std::to_string(elements) + " Elemente angegeben, aber nur " +
                           std::to_string(Remaining()) + " Bytes übrig");
    return bounds;
  }

  Variant ReadArray(size_t start, int depth) {
    if (depth >= store::kMaxNesting)
      Malformed(start, "Datenfelder tiefer als " + std::to_string(store::kMaxNesting) +
                           " Ebenen verschachtelt");
    VariantArray array(ReadArrayBounds(start));
    for (Variant& element : array.Elements()) element = ReadVariant(depth + 1);
    return Variant(std::move(array));
  }

  std::string_view bytes_;
  size_t pos_;
};

}  // namespace

Variant ReadStoreVariant(std::string_view bytes, size_t& offset) {
  Reader reader(bytes, offset);
  Variant value = reader.ReadVariant(0);
  offset = reader.Offset();
  return value;
}

std::optional<std::vector<ArrayBound>> ReadStoreArrayHeader(std::string_view bytes,
                                                            size_t& offset) {
  Reader reader(bytes, offset);
  auto bounds = reader.ReadArrayHeader();
  offset = reader.Offset();
  return bounds;
}

}  // namespace vks
