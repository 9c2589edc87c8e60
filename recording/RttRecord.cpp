#include "recording/RttRecord.h"

#include <bit>

namespace vks {
namespace {

template <class Uint>
void PutLittleEndian(uint8_t* out, Uint bits) {
  for (size_t i = 0; i < sizeof(Uint); ++i) out[i] = static_cast<uint8_t>(bits >> (8 * i));
}

template <class Uint>
Uint GetLittleEndian(const uint8_t* in) {
  Uint bits = 0;
  for (size_t i = 0; i < sizeof(Uint); ++i) bits |= static_cast<Uint>(in[i]) << (8 * i);
  return bits;
}

}  // namespace

RttRecordBytes EncodeRttRecord(const RttRecord& record) {
  RttRecordBytes bytes;
  PutLittleEndian(bytes.data() + rtt::kRecordTime, std::bit_cast<uint64_t>(record.time.days));
  PutLittleEndian(bytes.data() + rtt::kRecordValue, std::bit_cast<uint32_t>(record.value));
  PutLittleEndian(bytes.data() + rtt::kRecordValue2, std::bit_cast<uint32_t>(record.value2));
  return bytes;
}

RttRecord DecodeRttRecord(std::span<const uint8_t, rtt::kRecordSize> bytes) {
  RttRecord record;
  record.time.days =
      std::bit_cast<double>(GetLittleEndian<uint64_t>(bytes.data() + rtt::kRecordTime));
  record.value = std::bit_cast<float>(GetLittleEndian<uint32_t>(bytes.data() + rtt::kRecordValue));
  record.value2 =
      std::bit_cast<float>(GetLittleEndian<uint32_t>(bytes.data() + rtt::kRecordValue2));
  return record;
}

}  // namespace vks
