#include "server/StoreWriter.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "platform/automation/AutomationError.h"
#include "platform/automation/Windows1252.h"
#include "server/StoreFormat.h"

namespace vks {
namespace {

template <class T>
void Put(std::string& out, T value) {
  char bytes[sizeof(T)];
  std::memcpy(bytes, &value, sizeof(T));
  if constexpr (std::endian::native == std::endian::big) std::reverse(bytes, bytes + sizeof(T));
  out.append(bytes, sizeof(T));
}

void PutString(std::string& out, const std::string& utf8) {
  bool ascii = true;
  for (char c : utf8) ascii &= static_cast<unsigned char>(c) < 0x80;
  if (ascii) {
    if (utf8.size() > store::kMaxStringBytes)
      throw AutomationError(5, "", "Text ist länger als 65535 Bytes");
    Put<uint16_t>(out, static_cast<uint16_t>(utf8.size()));
    out += utf8;
    return;
  }
  Result<std::string> bytes = Utf8ToWindows1252(utf8);
  if (!bytes.ok()) throw bytes.error();
  if (bytes->size() > store::kMaxStringBytes)
    throw AutomationError(5, "", "Text ist länger als 65535 Bytes");
  Put<uint16_t>(out, static_cast<uint16_t>(bytes->size()));
  out += *bytes;
}

}  // namespace

void AppendStoreVariant(std::string& out, const Variant& value) {
  switch (value.Type()) {
    case VarType::Empty:
      Put<uint16_t>(out, store::kTypeEmpty);
      return;
    case VarType::Null:
      Put<uint16_t>(out, store::kTypeNull);
      return;
    case VarType::Integer:
      Put<uint16_t>(out, store::kTypeInteger);
      Put<int16_t>(out, value.AsInteger());
      return;
    case VarType::Long:
      Put<uint16_t>(out, store::kTypeLong);
      Put<int32_t>(out, value.AsLong());
      return;
    case VarType::Single:
      Put<uint16_t>(out, store::kTypeSingle);
      Put<float>(out, value.AsSingle());
      return;
    case VarType::Double:
      Put<uint16_t>(out, store::kTypeDouble);
      Put<double>(out, value.AsDouble());
      return;
    case VarType::Currency:
      Put<uint16_t>(out, store::kTypeCurrency);
      Put<int64_t>(out, value.AsCurrency().scaled);
      return;
    case VarType::Date:
      Put<uint16_t>(out, store::kTypeDate);
      Put<double>(out, value.AsDate().days);
      return;
    case VarType::String:
      Put<uint16_t>(out, store::kTypeString);
      PutString(out, value.AsString());
      return;
    case VarType::Boolean:
      Put<uint16_t>(out, store::kTypeBoolean);
      Put<int16_t>(out, value.AsBoolean() ? -1 : 0);
      return;
    case VarType::Byte:
      Put<uint16_t>(out, store::kTypeByte);
      Put<uint8_t>(out, value.AsByte());
      return;
    case VarType::Array: {
      const VariantArray& array = value.AsArray();
      AppendStoreArrayHeader(out, array.Bounds());
      for (const Variant& element : array.Elements()) AppendStoreVariant(out, element);
      return;
    }
    default:
      throw AutomationError(13, "",
                            "Werte vom Typ " + std::to_string(value.VarTypeCode()) +
                                " können nicht gespeichert werden");
  }
}

void AppendStoreArrayHeader(std::string& out, const std::vector<ArrayBound>& bounds) {
  Put<uint16_t>(out, store::kTypeVariantArray);
  Put<uint16_t>(out, static_cast<uint16_t>(bounds.size()));
  for (const ArrayBound& bound : bounds) {
    Put<int32_t>(out, bound.count);
    Put<int32_t>(out, bound.lower);
  }
}

}  // namespace vks
