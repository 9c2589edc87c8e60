#pragma once
// Reads the store's bytes (StoreFormat.h) one value at a time: whole Variants, or a record's
// elements straight into its fields with the automation coercions, so that no Variant tree is
// built on the way from the file. Every length, count and nesting level is checked against what
// the remaining bytes could hold before anything is allocated, so a damaged or hostile file costs
// no more memory than a genuine one of its size.
//
// Errors are AutomationError 62 for data that ends early and 5 for anything malformed; their
// description says what is wrong and at which byte offset.
//
// A reader may also see only a part of a file (a tool that walks a large file in pieces): offsets
// and messages are then the file's, the checks against what remains count the whole file, and a
// read that needs bytes beyond the part throws PartEnds, so that the caller can read a larger part
// and start the value over.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/automation/Variant.h"

namespace vks {

class StoreReader {
 public:
  struct PartEnds {};

  // REQUIRES: `bytes` outlives the reader.
  explicit StoreReader(std::string_view bytes, size_t offset = 0)
      : bytes_(bytes), pos_(offset), file_size_(bytes.size()) {}
  // `part` holds the bytes of a `file_size` bytes long file from `part_start` on; reads start at
  // the file's `offset`. REQUIRES: part_start <= offset <= part_start + part.size() <= file_size.
  StoreReader(std::string_view part, size_t part_start, size_t file_size, size_t offset)
      : bytes_(part), pos_(offset - part_start), base_(part_start), file_size_(file_size) {}

  size_t Offset() const { return base_ + pos_; }

  // The next value, whatever it is.
  Variant Value();
  // Reads past the next value, checking it as Value does.
  void Skip();

  // The next value as a field of that type, converted with the automation coercions (Empty gives
  // 0, "" or False). Throws as Value, and the coercions' errors (13, 6, 94).
  int16_t Integer();
  int32_t Long();
  float Single();
  double Double();
  DateValue Date();
  bool Boolean();
  std::string String();

  // When the next value is an array of Variants: reads its type and bounds, leaves the reader at
  // its first element and returns the bounds. Otherwise returns nothing and reads nothing.
  std::optional<std::vector<ArrayBound>> ArrayHeader();

  // The shape of an array whose elements the caller reads one by one.
  struct ArrayShape {
    int dimensions = 0;
    ArrayBound first;  // bounds of the first dimension
  };
  bool NextIsArray() const;
  // As ArrayHeader, but counts one more level of nesting until EndArray (so that values read
  // inside are held to the same depth as in a whole Variant) and allocates nothing.
  std::optional<ArrayShape> BeginArray();
  void EndArray() { --depth_; }

 private:
  [[noreturn]] void Malformed(size_t at, const std::string& what) const;
  [[noreturn]] void Truncated(size_t at, const std::string& what) const;
  size_t Remaining() const { return bytes_.size() - pos_; }
  // Called when fewer bytes remain in the part than a read needs: throws PartEnds unless the part
  // ends where the file does.
  void NeedMore() const {
    if (base_ + bytes_.size() < file_size_) throw PartEnds{};
  }
  template <class T>
  T Get(const char* what);
  uint16_t PeekType() const;
  // Consumes the type when it is `type`.
  bool TakeType(uint16_t type);
  Variant ValueAt(int depth);
  std::string StringBytes();
  bool BooleanValue();
  // After the type: dimension count and bounds, checked against the bytes that remain. Fills
  // `bounds` (room for kMaxDimensions) and returns the dimension count.
  int Bounds(size_t start, ArrayBound* bounds);

  std::string_view bytes_;
  size_t pos_;  // in bytes_
  size_t base_ = 0;
  size_t file_size_;
  int depth_ = 0;
};

// Reads one serialized Variant starting at `offset` and advances `offset` past it.
Variant ReadStoreVariant(std::string_view bytes, size_t& offset);

// StoreReader::ArrayHeader from `offset`, advancing it.
std::optional<std::vector<ArrayBound>> ReadStoreArrayHeader(std::string_view bytes, size_t& offset);

}  // namespace vks
