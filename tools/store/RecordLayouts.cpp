#include "tools/store/RecordLayouts.h"

#include <iterator>
#include <string>

#include "accounts/clKonto.h"

namespace vks {
namespace {

// Rebuilds `json` with `key` in front, so that a label reads before the value it labels.
void Prepend(StoreJson& json, const char* key, std::string_view value) {
  StoreJson labelled = StoreJson::object();
  labelled[key] = std::string(value);
  for (auto& [k, v] : json.items()) labelled[k] = std::move(v);
  json = std::move(labelled);
}

// The elements of a tagged one-dimensional array and its lower bound, or nullptr.
StoreJson* VectorElements(StoreJson& json, int64_t& lower) {
  if (!json.is_object() || json.value("type", "") != "Array") return nullptr;
  auto bounds = json.find("bounds");
  auto elements = json.find("elements");
  if (bounds == json.end() || elements == json.end() || !bounds->is_array() ||
      bounds->size() != 1 || !elements->is_array()) {
    return nullptr;
  }
  const StoreJson& bound = (*bounds)[0];
  if (!bound.is_object() || !bound.contains("lower") || !bound["lower"].is_number_integer())
    return nullptr;
  lower = bound["lower"].get<int64_t>();
  return &*elements;
}

void LabelRecord(StoreJson& record, const RecordLayout& layout);

void LabelChildren(StoreJson& list, const RecordLayout& layout) {
  int64_t lower = 0;
  StoreJson* children = VectorElements(list, lower);
  if (!children) return;
  for (StoreJson& child : *children) LabelRecord(child, layout);
}

// Labels the elements of `array` by `fields`; false when it is no one-dimensional array.
bool LabelFields(StoreJson& array, const std::vector<FieldLayout>& fields) {
  int64_t lower = 0;
  StoreJson* elements = VectorElements(array, lower);
  if (!elements) return false;
  for (size_t i = 0; i < elements->size(); ++i) {
    const int64_t index = lower + static_cast<int64_t>(i);
    if (index < 0 || index >= std::ssize(fields)) continue;
    const FieldLayout& field = fields[static_cast<size_t>(index)];
    StoreJson& element = (*elements)[i];
    if (field.children) LabelChildren(element, *field.children);
    if (!field.group.empty()) LabelFields(element, field.group);
    Prepend(element, "field", field.name);
  }
  return true;
}

void LabelRecord(StoreJson& record, const RecordLayout& layout) {
  if (LabelFields(record, layout.fields)) Prepend(record, "record", layout.record);
}

}  // namespace

std::string_view FieldName(const RecordLayout& layout, int64_t index) {
  if (index < 0 || index >= std::ssize(layout.fields)) return {};
  return layout.fields[static_cast<size_t>(index)].name;
}

void LabelStore(StoreJson& store) {
  int64_t lower = 0;
  StoreJson* accounts = VectorElements(store, lower);
  if (!accounts) return;
  for (StoreJson& account : *accounts) LabelRecord(account, LayoutOf<clKonto>());
  Prepend(store, "record", "Konten");
}

}  // namespace vks
