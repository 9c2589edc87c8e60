#pragma once
// Where the RTT files live: the storage folder that start-up determines (and the storage folder
// dialog changes). The recording operations take it as a parameter instead of reading a global.
#include <string>

namespace vks {

struct RttStorage {
  std::string folder;  // empty until start-up has determined it: nothing is recorded then
};

}  // namespace vks
