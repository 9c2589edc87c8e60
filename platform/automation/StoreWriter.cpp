#include "platform/automation/StoreWriter.h"

#include <cstring>

#include "platform/automation/AutomationError.h"
#include "platform/automation/StoreFormat.h"
#include "platform/automation/Windows1252.h"

namespace vks {
namespace {

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
  char header[4];
  store::PutLittleEndian(header, store::kTypeString);
  store::PutLittleEndian(header + 2, static_cast<uint16_t>(bytes.size()));
  out.append(header, sizeof header);
  out.append(bytes);
}

}  // namespace

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
      return PutType(store::kTypeNull);
    case VarType::Integer:
      return Integer(value.AsInteger());
    case VarType::Long:
      return Long(value.AsLong());
    case VarType::Single:
      return Single(value.AsSingle());
    case VarType::Double:
      return Double(value.AsDouble());
    case VarType::Currency:
      return PutTyped(store::kTypeCurrency, value.AsCurrency().scaled);
    case VarType::Date:
      return Date(value.AsDate());
    case VarType::String:
      return String(value.AsString());
    case VarType::Boolean:
      return Boolean(value.AsBoolean());
    case VarType::Byte:
      return PutTyped(store::kTypeByte, value.AsByte());
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
  PutTyped(store::kTypeVariantArray, static_cast<uint16_t>(bounds.size()));
  for (const ArrayBound& bound : bounds) {
    char bytes[8];
    store::PutLittleEndian(bytes, bound.count);
    store::PutLittleEndian(bytes + 4, bound.lower);
    out_.append(bytes, sizeof bytes);
  }
}

void StoreWriter::ArrayHeader(int32_t lower, int32_t count) {
  char bytes[12];
  store::PutLittleEndian(bytes, store::kTypeVariantArray);
  store::PutLittleEndian(bytes + 2, uint16_t{1});
  store::PutLittleEndian(bytes + 4, count);
  store::PutLittleEndian(bytes + 8, lower);
  out_.append(bytes, sizeof bytes);
}

void AppendStoreVariant(std::string& out, const Variant& value) {
  StoreWriter(out).Value(value);
}

void AppendStoreArrayHeader(std::string& out, const std::vector<ArrayBound>& bounds) {
  StoreWriter(out).ArrayHeader(bounds);
}

}  // namespace vks
