#pragma once
// Byte layout of an RTT file: an 856-byte header, then 16-byte records in the order written. All
// numbers little-endian, all texts Windows-1252 padded with spaces; what the server leaves unset is
// zero.
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace vks::rtt {

struct Field {
  size_t offset;
  size_t size;
};

inline constexpr size_t kHeaderSize = 856;
inline constexpr size_t kRecordSize = 16;

inline constexpr Field kSignature{0, 36};
inline constexpr Field kMinusOne{36, 2};  // int16 -1
inline constexpr Field kDisplayName{38, 50};
inline constexpr Field kBaseName{88, 18};
inline constexpr Field kDescription{106, 250};
inline constexpr Field kJa{356, 2};
inline constexpr Field kDisplayNameLong{358, 130};
inline constexpr Field kBaseNameLong{488, 68};
inline constexpr Field kMaker{556, 10};
inline constexpr Field kCategory{674, 12};

inline constexpr std::string_view kSignatureText = "VKS RealtimeTool-Datei Version 01.00";
inline constexpr std::string_view kJaText = "Ja";
inline constexpr std::string_view kMakerText = "KontoServer";  // cut to "KontoServe"
inline constexpr std::string_view kDescriptionPosition = "Kontoserver Positions-Aufzeichnung";
inline constexpr std::string_view kDescriptionPortfolio = "Kontoserver Portfolio-Aufzeichnung";
inline constexpr std::string_view kCategoryPosition = "Position";
inline constexpr std::string_view kCategoryPortfolio = "Portfolio";

// Offsets inside a record.
inline constexpr size_t kRecordTime = 0;     // double, automation date
inline constexpr size_t kRecordValue = 8;    // float
inline constexpr size_t kRecordValue2 = 12;  // float

inline constexpr bool IsWellFormedSize(int64_t size) {
  return size >= static_cast<int64_t>(kHeaderSize) &&
         (size - static_cast<int64_t>(kHeaderSize)) % static_cast<int64_t>(kRecordSize) == 0;
}

}  // namespace vks::rtt
