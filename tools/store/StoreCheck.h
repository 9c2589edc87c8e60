#pragma once
// Checks a store file the way the server's load takes it (every value readable, every account
// record accepted by clKonto::ReadAllProperties, no account name twice, nothing after the list),
// and names the first fault with its byte offset: down to the position, order or fill and the
// element that the records refuse. The file is read in parts of a fixed size, one account record
// at a time, so that a store of any size costs the memory of its largest account.
#include <cstddef>
#include <string>

#include "platform/files/FileSystem.h"

namespace vks {

// What a sound store holds.
struct StoreCounts {
  size_t konten = 0;
  size_t positionen = 0;
  size_t orders = 0;
  size_t fills = 0;
  // "3 Konten, 4 Positionen, 2 offene Orders, 5 Fills"
  std::string Text() const;
};

struct StoreCheckResult {
  bool ok = false;
  // The first fault, or what the store holds (`counts` as text).
  std::string message;
  StoreCounts counts;
};

// Beyond the load, an account list that starts below index 1 is a fault: the load passes over
// those accounts without a word.
// Bytes read per part, unless one account record needs more.
inline constexpr size_t kStoreCheckPart = size_t{1} << 20;

StoreCheckResult CheckStore(ReadableFile& file, size_t part_size = kStoreCheckPart);

// The result as one JSON object for scripts: {"file", "ok", "message", and when ok "konten",
// "positionen", "offene_orders", "fills"}.
std::string StoreCheckJson(const std::string& path, const StoreCheckResult& result);

}  // namespace vks
