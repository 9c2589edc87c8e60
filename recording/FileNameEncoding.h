#pragma once
// Account names and security identifiers come from the host and may hold anything. Before one of
// them becomes a file or folder name it is encoded so that it stays one harmless name inside the
// storage folder:
//   - '%', '/', '\', the bytes 0x00-0x1F and 0x7F, bytes that are not valid UTF-8, and a '.' at the
//     start of the name are written as '%' and two upper-case hex digits ("a/b" -> "a%2Fb",
//     ".." -> "%2E."); everything else, letters of any script included, stays as it is;
//   - an encoded name longer than kMaxEncodedName bytes keeps its first part (never splitting a
//     character or an escape) followed by "%~" and 16 hex digits of a hash of the whole name.
// A plain name ("Depot1", "Müller & Co") is its own encoding. Decoding reverses the first rule
// exactly; a shortened name cannot be decoded.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vks {

// Leaves room for the ".RTT" extension below the 255 bytes a Linux file name may have.
inline constexpr size_t kMaxEncodedName = 240;

std::string EncodeFileName(std::string_view name);
// nullopt for a shortened name or for text that no name encodes to.
std::optional<std::string> DecodeFileName(std::string_view encoded);

}  // namespace vks
