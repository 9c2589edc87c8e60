#pragma once
// One time-stamped value of an RTT series and its 16 bytes on disk.
#include <array>
#include <cstdint>
#include <span>

#include "platform/automation/Variant.h"
#include "recording/RttFormat.h"

namespace vks {

struct RttRecord {
  DateValue time;
  float value = 0;
  float value2 = 0;
};

using RttRecordBytes = std::array<uint8_t, rtt::kRecordSize>;

RttRecordBytes EncodeRttRecord(const RttRecord& record);
RttRecord DecodeRttRecord(std::span<const uint8_t, rtt::kRecordSize> bytes);

}  // namespace vks
