#include "tools/store/StoreCheck.h"

#include <algorithm>
#include <optional>
#include <vector>

#include <nlohmann/json.hpp>

#include "accounts/clKonto.h"
#include "platform/automation/AutomationError.h"
#include "platform/automation/KeyedDictionary.h"
#include "platform/automation/StoreReader.h"
#include "tools/store/RecordLayouts.h"

namespace vks {
namespace {

std::string At(size_t offset) {
  return " an Byte " + std::to_string(offset);
}
std::string From(size_t offset) {
  return " (ab Byte " + std::to_string(offset) + ")";
}

[[noreturn]] void Fault(const std::string& what) {
  throw AutomationError(error::kInvalidCall, "", what);
}

// Where each value of a record starts in the file, nested as the record's arrays are.
struct OffsetNode {
  size_t offset = 0;
  std::vector<OffsetNode> elements;
};

// REQUIRES: the value at the reader was read without error before, so that its nesting is
// bounded.
OffsetNode MapOffsets(StoreReader& reader) {
  OffsetNode node{reader.Offset(), {}};
  if (auto bounds = reader.ArrayHeader()) {
    size_t count = 1;
    for (const ArrayBound& bound : *bounds) count *= static_cast<size_t>(bound.count);
    node.elements.reserve(count);
    for (size_t i = 0; i < count; ++i) node.elements.push_back(MapOffsets(reader));
  } else {
    (void)reader.Value();
  }
  return node;
}

// The part of the store file that the checks read: moved on from record to record and doubled
// while one record does not fit, so that memory follows the largest record, not the file.
class StorePart {
 public:
  StorePart(ReadableFile& file, size_t part_size)
      : file_(file), part_size_(part_size), size_(static_cast<size_t>(file.Size())) {}
  size_t FileSize() const { return size_; }

  // `read` on a reader at the file's `offset`, run again on a larger part until the part holds
  // all that it reads.
  template <class Read>
  auto At(size_t offset, Read read) {
    size_t length = part_size_;
    for (;;) {
      Load(offset, length);
      try {
        StoreReader reader(bytes_, start_, size_, offset);
        return read(reader);
      } catch (const StoreReader::PartEnds&) {
        length = std::max<size_t>(bytes_.size() * 2, 16);
      }
    }
  }

 private:
  // Makes the part hold [offset, offset + length), or up to the file's end.
  void Load(size_t offset, size_t length) {
    const size_t end = std::min(size_, offset + length);
    if (offset >= start_ && end <= start_ + bytes_.size()) return;
    bytes_.resize(end - offset);
    const size_t got = file_.ReadAt(static_cast<int64_t>(offset),
                                    {reinterpret_cast<uint8_t*>(bytes_.data()), bytes_.size()});
    // A file cut meanwhile reads as if it ended here.
    if (got < bytes_.size()) {
      bytes_.resize(got);
      size_ = offset + got;
    }
    start_ = offset;
  }

  ReadableFile& file_;
  size_t part_size_;
  size_t size_;
  std::string bytes_;
  size_t start_ = 0;
};

// The account names seen so far as 64-bit fingerprints of their folded text, sorted, with the
// latest few apart: 8 bytes an account, however long the names. A fingerprint seen before is only
// a hint, which the caller confirms against the names themselves.
class NameFingerprints {
 public:
  // False when the fingerprint of `name` was there already.
  bool Insert(std::string_view name) {
    const uint64_t print = FoldedKeyHash{CompareMode::Text}(name);
    if (std::binary_search(sorted_.begin(), sorted_.end(), print) ||
        std::find(recent_.begin(), recent_.end(), print) != recent_.end()) {
      return false;
    }
    recent_.push_back(print);
    if (recent_.size() == kRecent) {
      std::sort(recent_.begin(), recent_.end());
      const auto middle = sorted_.insert(sorted_.end(), recent_.begin(), recent_.end());
      std::inplace_merge(sorted_.begin(), middle, sorted_.end());
      recent_.clear();
    }
    return true;
  }

 private:
  static constexpr size_t kRecent = 256;
  std::vector<uint64_t> sorted_;
  std::vector<uint64_t> recent_;
};

template <class Record>
std::optional<AutomationError> ReadError(const Variant& record) {
  try {
    Record r;
    r.ReadAllProperties(record);
    return std::nullopt;
  } catch (const AutomationError& e) {
    return e;
  }
}

// The element that makes a record fail: the elements are emptied one by one from the front (an
// empty element always reads), and the first one whose removal lets the record pass is it. None
// when the record fails even when empty, i.e. its shape is wrong.
template <class Record>
std::optional<size_t> FaultyElement(const Variant& record) {
  if (!record.IsArray() || record.AsArray().Dimensions() != 1) return std::nullopt;
  if (ReadError<Record>(Variant(VariantArray(record.AsArray().Bounds())))) return std::nullopt;
  Variant trial = record;
  for (size_t k = 0; k < trial.AsArray().size(); ++k) {
    trial.AsArray().Elements()[k] = Variant();
    if (!ReadError<Record>(trial)) return k;
  }
  return std::nullopt;
}

// What the record says about element k when it is the only one filled in.
template <class Record>
std::string ElementError(const Variant& record, size_t k, const AutomationError& fallback) {
  Variant alone{VariantArray(record.AsArray().Bounds())};
  alone.AsArray().Elements()[k] = record.AsArray().Elements()[k];
  auto error = ReadError<Record>(alone);
  return (error ? *error : fallback).Description();
}

std::string ElementLabel(const Variant& record, size_t k, const RecordLayout& layout,
                         const OffsetNode& node) {
  int64_t index = int64_t{record.AsArray().Bounds()[0].lower} + static_cast<int64_t>(k);
  std::string label = "Element " + std::to_string(index);
  std::string_view name = FieldName(layout, index);
  if (!name.empty()) label += " (" + std::string(name) + ")";
  return label + At(node.elements[k].offset);
}

template <class Record>
std::string RecordFault(const Variant& record, const OffsetNode& node, const RecordLayout& layout,
                        const AutomationError& error) {
  auto k = FaultyElement<Record>(record);
  if (!k) return error.Description() + At(node.offset);
  return ElementLabel(record, *k, layout, node) + ": " + ElementError<Record>(record, *k, error);
}

// A child in the messages.
template <class Child>
constexpr std::string_view kChildKind = {};
template <>
constexpr std::string_view kChildKind<clOffeneOrder> = "Offene Order";
template <>
constexpr std::string_view kChildKind<clTitelPosition> = "Position";
template <>
constexpr std::string_view kChildKind<clFilledOrder> = "Fill";

// The first child of a list that its record refuses, or whose key an earlier child holds; "" when
// the children are fine and the list itself is at fault.
template <class Child>
std::string ChildFault(const Variant& list, const OffsetNode& node) {
  if (!list.IsArray() || list.AsArray().Dimensions() != 1 ||
      list.AsArray().Bounds()[0].lower != 1) {
    return {};
  }
  const RecordLayout& layout = LayoutOf<Child>();
  KeyedDictionary<size_t> keys(CompareMode::Text);
  const auto& children = list.AsArray().Elements();
  for (size_t j = 0; j < children.size(); ++j) {
    const std::string which = std::string(kChildKind<Child>) + " Nr. " + std::to_string(j + 1);
    const OffsetNode& child_node = node.elements[j];
    Child child;
    try {
      child.ReadAllProperties(children[j]);
    } catch (const AutomationError& e) {
      return which + From(child_node.offset) + ": " +
             RecordFault<Child>(children[j], child_node, layout, e);
    }
    const std::string& key = child.*StoredFields<Child>::kKey;
    if (const size_t* first = keys.Find(key)) {
      return which + At(child_node.offset) + ": " + std::string(layout.key_field) + " \"" + key +
             "\" kommt doppelt vor (wie Nr. " + std::to_string(*first) + ")";
    }
    keys.Add(key, j + 1);
  }
  return {};
}

// ChildFault for the element at `index` of the account record when that element is a child list,
// else "".
std::string KontoChildFault(int64_t index, const Variant& element, const OffsetNode& node) {
  std::string fault;
  int64_t i = 0;
  auto check = [&]<class Field>(const Field&) {
    if constexpr (requires { typename Field::Child; }) {
      if (i == index) fault = ChildFault<typename Field::Child>(element, node);
    }
    ++i;
  };
  std::apply([&](const auto&... field) { (check(field), ...); }, StoredFields<clKonto>::kFields);
  return fault;
}

std::string KontoFault(const Variant& record, const OffsetNode& node,
                       const AutomationError& error) {
  auto k = FaultyElement<clKonto>(record);
  if (!k) return error.Description() + At(node.offset);
  const int64_t index = int64_t{record.AsArray().Bounds()[0].lower} + static_cast<int64_t>(*k);
  std::string child = KontoChildFault(index, record.AsArray().Elements()[*k], node.elements[*k]);
  if (!child.empty()) return child;
  return ElementLabel(record, *k, LayoutOf<clKonto>(), node) + ": " +
         ElementError<clKonto>(record, *k, error);
}

std::string AccountLabel(int64_t number, const Variant& record, size_t offset) {
  std::string label = "Konto Nr. " + std::to_string(number);
  if (record.IsArray() && record.AsArray().size() > 0 &&
      record.AsArray().Elements()[0].Type() == VarType::String) {
    label += " \"" + record.AsArray().Elements()[0].AsString() + "\"";
  }
  return label + From(offset);
}

// The name of the account record at `offset` as the load reads it; moves `offset` past it.
std::string ReadKontoName(StorePart& part, size_t& offset) {
  clKonto konto;
  konto.ReadAllProperties(part.At(offset, [&](StoreReader& reader) {
    Variant value = reader.Value();
    offset = reader.Offset();
    return value;
  }));
  return konto.KontoName;
}

// The number of the first of the `count` accounts from `offset` on that is called `name`.
std::optional<int64_t> FirstNamed(StorePart& part, size_t offset, int64_t lower, int64_t count,
                                  const std::string& name) {
  for (int64_t i = lower; i < lower + count; ++i) {
    if (FoldedKeyEqual{CompareMode::Text}(ReadKontoName(part, offset), name)) return i;
  }
  return std::nullopt;
}

void CheckNothingFollows(size_t file_size, size_t offset) {
  if (offset != file_size) {
    Fault("Kontendatei beschädigt: " + std::to_string(file_size - offset) +
          " überzählige Bytes ab Byte " + std::to_string(offset));
  }
}

}  // namespace

std::string StoreCounts::Text() const {
  return std::to_string(konten) + " Konten, " + std::to_string(positionen) + " Positionen, " +
         std::to_string(orders) + " offene Orders, " + std::to_string(fills) + " Fills";
}

std::string StoreCheckJson(const std::string& path, const StoreCheckResult& result) {
  nlohmann::ordered_json json = {{"file", path}, {"ok", result.ok}, {"message", result.message}};
  if (result.ok) {
    json["konten"] = result.counts.konten;
    json["positionen"] = result.counts.positionen;
    json["offene_orders"] = result.counts.orders;
    json["fills"] = result.counts.fills;
  }
  return json.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

StoreCheckResult CheckStore(ReadableFile& file, size_t part_size) {
  try {
    StorePart part(file, part_size);
    if (part.FileSize() == 0) return {true, "leere Datei: keine Konten", {}};
    size_t offset = 0;
    auto bounds = part.At(0, [&](StoreReader& reader) {
      auto header = reader.ArrayHeader();
      if (!header) (void)reader.Value();
      offset = reader.Offset();
      return header;
    });
    if (!bounds) {
      CheckNothingFollows(part.FileSize(), offset);
      return {true, "keine Kontenliste: es werden keine Konten geladen", {}};
    }
    if (bounds->size() != 1)
      Fault("Kontendatei beschädigt: Kontenliste ist nicht eindimensional" + At(0));
    const ArrayBound bound = bounds->front();
    if (bound.count > 0 && bound.lower < 1) {
      Fault("Kontenliste beginnt bei Index " + std::to_string(bound.lower) +
            "; die Konten vor Index 1 übergeht das Laden" + At(8));
    }
    const size_t first_offset = offset;
    NameFingerprints names;
    StoreCounts counts;
    for (int64_t i = bound.lower; i < int64_t{bound.lower} + bound.count; ++i) {
      const size_t record_offset = offset;
      Variant record;
      try {
        record = part.At(record_offset, [&](StoreReader& reader) {
          Variant value = reader.Value();
          offset = reader.Offset();
          return value;
        });
      } catch (const AutomationError& e) {
        Fault("Konto Nr. " + std::to_string(i) + From(record_offset) + ": " + e.Description());
      }
      clKonto konto;
      try {
        konto.ReadAllProperties(record);
      } catch (const AutomationError& e) {
        OffsetNode node = part.At(record_offset, MapOffsets);
        Fault(AccountLabel(i, record, record_offset) + ": " + KontoFault(record, node, e));
      }
      if (!names.Insert(konto.KontoName)) {
        if (auto first =
                FirstNamed(part, first_offset, bound.lower, i - bound.lower, konto.KontoName)) {
          Fault("Konto Nr. " + std::to_string(i) + At(record_offset) + ": Kontoname \"" +
                konto.KontoName + "\" kommt doppelt vor (wie Konto Nr. " + std::to_string(*first) +
                ")");
        }
      }
      ++counts.konten;
      counts.positionen += konto.cTitelPositionen.Count();
      counts.orders += konto.cOffeneOrders.Count();
      counts.fills += konto.cFilledOrders.Count();
    }
    CheckNothingFollows(part.FileSize(), offset);
    return {true, counts.Text(), counts};
  } catch (const AutomationError& e) {
    return {false, e.Description(), {}};
  }
}

}  // namespace vks
