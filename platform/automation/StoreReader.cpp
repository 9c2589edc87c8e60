#include "platform/automation/StoreReader.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdio>
#include <cstring>

#include "platform/automation/AutomationError.h"
#include "platform/automation/StoreFormat.h"
#include "platform/automation/VariantConversions.h"
#include "platform/automation/Windows1252.h"

namespace vks {

void StoreReader::Malformed(size_t at, const std::string& what) const {
  throw AutomationError(
      5, "", "Kontendatei beschädigt: " + what + " an Byte " + std::to_string(base_ + at));
}

void StoreReader::Truncated(size_t at, const std::string& what) const {
  NeedMore();
  throw AutomationError(62, "",
                        "Kontendatei endet vorzeitig: " + what + " an Byte " +
                            std::to_string(base_ + at) + " fehlt (Dateilänge " +
                            std::to_string(file_size_) + ")");
}

template <class T>
T StoreReader::Get(const char* what) {
  if (Remaining() < sizeof(T)) Truncated(pos_, what);
  char raw[sizeof(T)];
  std::memcpy(raw, bytes_.data() + pos_, sizeof(T));
  if constexpr (std::endian::native == std::endian::big) std::reverse(raw, raw + sizeof(T));
  pos_ += sizeof(T);
  T value;
  std::memcpy(&value, raw, sizeof(T));
  return value;
}

uint16_t StoreReader::PeekType() const {
  if (Remaining() < 2) {
    NeedMore();
    return store::kTypeEmpty;  // the read that follows reports the end
  }
  return static_cast<uint16_t>(static_cast<unsigned char>(bytes_[pos_]) |
                               static_cast<unsigned char>(bytes_[pos_ + 1]) << 8);
}

bool StoreReader::TakeType(uint16_t type) {
  if (PeekType() != type || Remaining() < 2) return false;
  pos_ += 2;
  return true;
}

bool StoreReader::NextIsArray() const {
  return PeekType() == store::kTypeVariantArray;
}

std::string StoreReader::StringBytes() {
  size_t at = pos_;
  uint16_t length = Get<uint16_t>("Textlänge");
  if (Remaining() < length) Truncated(at, "Text mit " + std::to_string(length) + " Bytes");
  std::string_view raw = bytes_.substr(pos_, length);
  pos_ += length;
  bool ascii = std::all_of(raw.begin(), raw.end(),
                           [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  return ascii ? std::string(raw) : Windows1252ToUtf8(raw);
}

bool StoreReader::BooleanValue() {
  size_t at = pos_;
  int16_t value = Get<int16_t>("Boolean-Wert");
  if (value != 0 && value != -1) Malformed(at, "ungültiger Boolean-Wert " + std::to_string(value));
  return value != 0;
}

int StoreReader::Bounds(size_t start, ArrayBound* bounds) {
  uint16_t dimensions = Get<uint16_t>("Anzahl der Dimensionen");
  if (dimensions == 0 || dimensions > store::kMaxDimensions)
    Malformed(start + 2, "ungültige Anzahl Dimensionen " + std::to_string(dimensions));
  uint64_t elements = 1;
  for (int d = 0; d < dimensions; ++d) {
    ArrayBound& bound = bounds[d];
    size_t at = pos_;
    bound.count = Get<int32_t>("Elementanzahl");
    bound.lower = Get<int32_t>("Untergrenze");
    if (bound.count < 0) Malformed(at, "negative Elementanzahl " + std::to_string(bound.count));
    if (int64_t{bound.lower} + bound.count - 1 > INT32_MAX)
      Malformed(at, "Obergrenze außerhalb des Long-Bereichs");
    if (elements <= file_size_) elements *= static_cast<uint64_t>(bound.count);
    // else: too many already; multiplying on could overflow
  }
  // Every element takes at least its two type bytes.
  const size_t remaining = file_size_ - base_ - pos_;
  if (elements * 2 > remaining)
    Malformed(start, std::to_string(elements) + " Elemente angegeben, aber nur " +
                         std::to_string(remaining) + " Bytes übrig");
  return dimensions;
}

Variant StoreReader::ValueAt(int depth) {
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
      return Variant(StringBytes());
    case store::kTypeBoolean:
      return Variant(BooleanValue());
    case store::kTypeByte:
      return Variant(Get<uint8_t>("Byte-Wert"));
    case store::kTypeVariantArray: {
      if (depth >= store::kMaxNesting)
        Malformed(start, "Datenfelder tiefer als " + std::to_string(store::kMaxNesting) +
                             " Ebenen verschachtelt");
      std::array<ArrayBound, store::kMaxDimensions> bounds;
      int dimensions = Bounds(start, bounds.data());
      VariantArray array(std::vector<ArrayBound>(bounds.begin(), bounds.begin() + dimensions));
      for (Variant& element : array.Elements()) element = ValueAt(depth + 1);
      return Variant(std::move(array));
    }
    default: {
      char hex[8];
      std::snprintf(hex, sizeof hex, "0x%04X", type);
      Malformed(start, std::string("unbekannter Variant-Typ ") + hex);
    }
  }
}

Variant StoreReader::Value() {
  return ValueAt(depth_);
}

void StoreReader::Skip() {
  if (!TakeType(store::kTypeEmpty)) (void)Value();
}

// Each typed read takes the field's own subtype directly and leaves every other one to the
// coercion of a whole Variant, so that both give the same result.
int16_t StoreReader::Integer() {
  if (TakeType(store::kTypeInteger)) return Get<int16_t>("Integer-Wert");
  return ToInteger(Value());
}
int32_t StoreReader::Long() {
  if (TakeType(store::kTypeLong)) return Get<int32_t>("Long-Wert");
  return ToLong(Value());
}
float StoreReader::Single() {
  if (TakeType(store::kTypeSingle)) return Get<float>("Single-Wert");
  return ToSingle(Value());
}
double StoreReader::Double() {
  if (TakeType(store::kTypeDouble)) return Get<double>("Double-Wert");
  return ToDouble(Value());
}
DateValue StoreReader::Date() {
  if (TakeType(store::kTypeDate)) return DateValue{Get<double>("Datumswert")};
  return ToDate(Value());
}
bool StoreReader::Boolean() {
  if (TakeType(store::kTypeBoolean)) return BooleanValue();
  return ToBoolean(Value());
}
std::string StoreReader::String() {
  if (TakeType(store::kTypeString)) return StringBytes();
  return ToString(Value());
}

std::optional<std::vector<ArrayBound>> StoreReader::ArrayHeader() {
  size_t start = pos_;
  if (!TakeType(store::kTypeVariantArray)) return std::nullopt;
  std::array<ArrayBound, store::kMaxDimensions> bounds;
  int dimensions = Bounds(start, bounds.data());
  return std::vector<ArrayBound>(bounds.begin(), bounds.begin() + dimensions);
}

std::optional<StoreReader::ArrayShape> StoreReader::BeginArray() {
  size_t start = pos_;
  if (!TakeType(store::kTypeVariantArray)) return std::nullopt;
  if (depth_ >= store::kMaxNesting)
    Malformed(start, "Datenfelder tiefer als " + std::to_string(store::kMaxNesting) +
                         " Ebenen verschachtelt");
  std::array<ArrayBound, store::kMaxDimensions> bounds;
  ArrayShape shape;
  shape.dimensions = Bounds(start, bounds.data());
  shape.first = bounds[0];
  ++depth_;
  return shape;
}

Variant ReadStoreVariant(std::string_view bytes, size_t& offset) {
  StoreReader reader(bytes, offset);
  Variant value = reader.Value();
  offset = reader.Offset();
  return value;
}

std::optional<std::vector<ArrayBound>> ReadStoreArrayHeader(std::string_view bytes,
                                                            size_t& offset) {
  StoreReader reader(bytes, offset);
  auto bounds = reader.ArrayHeader();
  offset = reader.Offset();
  return bounds;
}

}  // namespace vks
