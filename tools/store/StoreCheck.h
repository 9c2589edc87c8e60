#pragma once
// Checks a store file the way the server's load takes it (every value readable, every account
// record accepted by clKonto::ReadAllProperties, no account name twice, nothing after the list),
// and names the first fault with its byte offset: down to the position, order or fill and the
// element that the records refuse.
#include <string>
#include <string_view>

namespace vks {

struct StoreCheckResult {
  bool ok = false;
  // The first fault, or what the store holds ("3 Konten, 4 Positionen, 2 offene Orders, 5 Fills").
  std::string message;
};

// Beyond the load, an account list that starts below index 1 is a fault: the load passes over
// those accounts without a word.
StoreCheckResult CheckStore(std::string_view bytes);

}  // namespace vks
