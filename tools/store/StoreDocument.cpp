#include "tools/store/StoreDocument.h"

#include "platform/automation/AutomationError.h"
#include "platform/automation/StoreReader.h"
#include "platform/automation/StoreWriter.h"
#include "tools/store/RecordLayouts.h"
#include "tools/store/StoreJson.h"

namespace vks {
namespace {

std::string Compact(const StoreJson& json) {
  auto dump = [](const StoreJson& j) { return j.dump(-1, ' ', false); };
  std::string out;
  if (json.is_object()) {
    out += '{';
    for (auto it = json.begin(); it != json.end(); ++it) {
      if (it != json.begin()) out += ", ";
      out += dump(StoreJson(it.key())) + ": " + Compact(it.value());
    }
    return out + '}';
  }
  if (json.is_array()) {
    out += '[';
    for (size_t i = 0; i < json.size(); ++i) {
      if (i) out += ", ";
      out += Compact(json[i]);
    }
    return out + ']';
  }
  return dump(json);
}

// Arrays with elements open a line per element; everything else stays on one line.
void Print(const StoreJson& json, int indent, std::string& out) {
  auto elements = json.is_object() ? json.find("elements") : json.end();
  if (elements == json.end() || !elements->is_array() || elements->empty()) {
    out += Compact(json);
    return;
  }
  out += '{';
  for (auto it = json.begin(); it != json.end(); ++it) {
    if (it == elements) continue;
    out += Compact(StoreJson(it.key())) + ": " + Compact(it.value()) + ", ";
  }
  out += "\"elements\": [\n";
  for (size_t i = 0; i < elements->size(); ++i) {
    out.append(indent + 2, ' ');
    Print((*elements)[i], indent + 2, out);
    out += i + 1 < elements->size() ? ",\n" : "\n";
  }
  out.append(indent, ' ');
  out += "]}";
}

}  // namespace

std::string DumpStore(std::string_view bytes) {
  if (bytes.empty()) return "null\n";
  size_t offset = 0;
  Variant value = ReadStoreVariant(bytes, offset);
  if (offset != bytes.size()) {
    throw AutomationError(error::kInvalidCall, "",
                          "Kontendatei beschädigt: " + std::to_string(bytes.size() - offset) +
                              " überzählige Bytes ab Byte " + std::to_string(offset));
  }
  StoreJson json = VariantToJson(value);
  LabelStore(json);
  std::string out;
  Print(json, 0, out);
  return out + '\n';
}

std::string PackStore(std::string_view document) {
  StoreJson json;
  try {
    json = StoreJson::parse(document);
  } catch (const StoreJson::parse_error& e) {
    throw AutomationError(error::kInvalidCall, "",
                          "JSON-Syntaxfehler an Byte " + std::to_string(e.byte) + ": " + e.what());
  } catch (const StoreJson::exception& e) {
    throw AutomationError(error::kInvalidCall, "", std::string("JSON fehlerhaft: ") + e.what());
  }
  if (json.is_null()) return {};
  std::string bytes;
  AppendStoreVariant(bytes, JsonToVariant(json));
  return bytes;
}

}  // namespace vks
