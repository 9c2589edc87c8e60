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

struct StoreCheckResult {
  bool ok = false;
  // The first fault, or what the store holds ("3 Konten, 4 Positionen, 2 offene Orders, 5 Fills").
  std::string message;
};

// Beyond the load, an account list that starts below index 1 is a fault: the load passes over
// those accounts without a word.
// Bytes read per part, unless one account record needs more.
inline constexpr size_t kStoreCheckPart = size_t{1} << 20;

StoreCheckResult CheckStore(ReadableFile& file, size_t part_size = kStoreCheckPart);

}  // namespace vks
