#pragma once
// The recording floor every recording benchmark is held against: the system calls that appending
// one 16-byte record cannot avoid (open, size, write at the end, close).
#include <string>

#include "bench/Floor.h"
#include "recording/RttRecord.h"

namespace vks::bench {

inline void FloorAppend(const std::string& path, double time) {
  const RttRecordBytes bytes = EncodeRttRecord({DateValue{time}, 1.0f, 0.0f});
  AppendAtEnd(path, bytes);
}

}  // namespace vks::bench
