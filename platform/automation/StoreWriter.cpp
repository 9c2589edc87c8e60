#include "platform/automation/StoreWriter.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "platform/automation/AutomationError.h"
#include "platform/automation/StoreFormat.h"
#include "platform/automation/Windows1252.h"

namespace vks {
namespace {

template <class T>
void PutRaw(char* at, T value) {
  std::memcpy(at, &value, sizeof(T));
  if constexpr (std::endian::native == std::endian::big) std::reverse(at, at + sizeof(T));
}

// The type and the value in one append: most elements are a few bytes, and each append costs a
// capacity check.
template <class T>
void PutTyped(std::string& out, uint16_t type, T value) {
  char bytes[2 + sizeof(T)];
  PutRaw(bytes, type);
  PutRaw(bytes + 2, value);
  out.append(bytes, sizeof bytes);
}

void PutType(std::string& out, uint16_t type) {
  char bytes[2];
  PutRaw(bytes, type);
  out.append(bytes, sizeof bytes);
}

bool IsAscii(std::string_view text) {
  constexpr uint64_t kHighBits = 0x8080808080808080ull;
  size_t i = 0;
  for (; i + 8 <= text.size(); i += 8) {
    uint64_t word;
    std::memcpy(&word, text.data() + i, 8);
    if (word & kHighBits) return false;
  }
  for (; i < text.size(); ++i) {
    if (static_cast<unsigned char>(text[i]) >= 0x80) return false;
  }
  return true;
}

void PutString(std::string& out, std::string_view bytes) {
  if (bytes.size() > store::kMaxStringBytes)
    throw AutomationError(5, "", "Text ist länger als 65535 Bytes");
  PutTyped<uint16_t>(out, store::kTypeString, static_cast<uint16_t>(bytes.size()));
  out.append(bytes);
}

}  // namespace

void StoreWriter::Empty() {
  PutType(out_, store::kTypeEmpty);
}
void StoreWriter::Integer(int16_t value) {
  PutTyped(out_, store::kTypeInteger, value);
}
void StoreWriter::Long(int32_t value) {
  PutTyped(out_, store::kTypeLong, value);
}
void StoreWriter::Single(float value) {
  PutTyped(out_, store::kTypeSingle, value);
}
void StoreWriter::Double(double value) {
  PutTyped(out_, store::kTypeDouble, value);
}
void StoreWriter::Date(DateValue value) {
  PutTyped(out_, store::kTypeDate, value.days);
}
void StoreWriter::Boolean(bool value) {
  PutTyped<int16_t>(out_, store::kTypeBoolean, value ? -1 : 0);
}

void StoreWriter::String(std::string_view utf8) {
  if (IsAscii(utf8)) return PutString(out_, utf8);
  Result<std::string> bytes = Utf8ToWindows1252(utf8);
  if (!bytes.ok()) throw bytes.error();
  PutString(out_, *bytes);
}

void StoreWriter::Value(const Variant& value) {
  switch (value.Type()) {
    case VarType::Empty:
      return Empty();
    case VarType::Null:
      return PutType(out_, store::kTypeNull);
    case VarType::Integer:
      return Integer(value.AsInteger());
    case VarType::Long:
      return Long(value.AsLong());
    case VarType::Single:
      return Single(value.AsSingle());
    case VarType::Double:
      return Double(value.AsDouble());
    case VarType::Currency:
      return PutTyped(out_, store::kTypeCurrency, value.AsCurrency().scaled);
    case VarType::Date:
      return Date(value.AsDate());
    case VarType::String:
      return String(value.AsString());
    case VarType::Boolean:
      return Boolean(value.AsBoolean());
    case VarType::Byte:
      return PutTyped(out_, store::kTypeByte, value.AsByte());
    case VarType::Array: {
      const VariantArray& array = value.AsArray();
      ArrayHeader(array.Bounds());
      for (const Variant& element : array.Elements()) Value(element);
      return;
    }
    default:
      throw AutomationError(13, "",
                            "Werte vom Typ " + std::to_string(value.VarTypeCode()) +
                                " können nicht gespeichert werden");
  }
}

void StoreWriter::ArrayHeader(const std::vector<ArrayBound>& bounds) {
  PutTyped(out_, store::kTypeVariantArray, static_cast<uint16_t>(bounds.size()));
  for (const ArrayBound& bound : bounds) {
    char bytes[8];
    PutRaw(bytes, bound.count);
    PutRaw(bytes + 4, bound.lower);
    out_.append(bytes, sizeof bytes);
  }
}

void StoreWriter::ArrayHeader(int32_t lower, int32_t count) {
  char bytes[12];
  PutRaw(bytes, store::kTypeVariantArray);
  PutRaw(bytes + 2, uint16_t{1});
  PutRaw(bytes + 4, count);
  PutRaw(bytes + 8, lower);
  out_.append(bytes, sizeof bytes);
}

void AppendStoreVariant(std::string& out, const Variant& value) {
  StoreWriter(out).Value(value);
}

void AppendStoreArrayHeader(std::string& out, const std::vector<ArrayBound>& bounds) {
  StoreWriter(out).ArrayHeader(bounds);
}

}  // namespace vks
