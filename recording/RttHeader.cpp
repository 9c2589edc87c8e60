#include "recording/RttHeader.h"

#include <algorithm>
#include <cstring>

#include "platform/automation/Windows1252.h"

namespace vks {
namespace {

// Length of the UTF-8 sequence that starts with `lead`; 0 for a byte that cannot start one.
size_t SequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if ((lead & 0xE0) == 0xC0) return 2;
  if ((lead & 0xF0) == 0xE0) return 3;
  if ((lead & 0xF8) == 0xF0) return 4;
  return 0;
}

void PutText(RttHeaderBytes& header, rtt::Field field, std::string_view text) {
  size_t n = std::min(text.size(), field.size);
  std::memcpy(header.data() + field.offset, text.data(), n);
  std::memset(header.data() + field.offset + n, ' ', field.size - n);
}

}  // namespace

std::string ToHeaderText(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  size_t i = 0;
  while (i < utf8.size()) {
    unsigned char lead = static_cast<unsigned char>(utf8[i]);
    if (lead < 0x80) {
      out += static_cast<char>(lead);
      ++i;
      continue;
    }
    size_t n = SequenceLength(lead);
    bool complete = n != 0 && i + n <= utf8.size();
    for (size_t k = 1; complete && k < n; ++k)
      complete = (static_cast<unsigned char>(utf8[i + k]) & 0xC0) == 0x80;
    if (!complete) {
      out += '?';  // a stray byte costs one character; the next byte is tried on its own
      ++i;
      continue;
    }
    Result<std::string> converted = Utf8ToWindows1252(utf8.substr(i, n));
    out += converted.ok() && converted->size() == 1 ? *converted : std::string("?");
    i += n;
  }
  return out;
}

RttHeaderBytes ErzeugeRTTHeader(std::string_view KontoName, std::string_view TitelWKN,
                                std::string_view TitelName, eKontoDatenArt Datenart) {
  RttHeaderBytes header{};
  bool position = Datenart == dTitelPos;
  std::string base_name = ToHeaderText(RttBaseName(KontoName, TitelWKN, Datenart));
  std::string display_name =
      TitelName.empty() ? base_name
                        : ToHeaderText(std::string(KontoName) + "-Pos-" + std::string(TitelName));

  PutText(header, rtt::kSignature, rtt::kSignatureText);
  header[rtt::kMinusOne.offset] = 0xFF;
  header[rtt::kMinusOne.offset + 1] = 0xFF;
  PutText(header, rtt::kDisplayName, display_name);
  PutText(header, rtt::kBaseName, base_name);
  PutText(header, rtt::kDescription,
          position ? rtt::kDescriptionPosition : rtt::kDescriptionPortfolio);
  PutText(header, rtt::kJa, rtt::kJaText);
  PutText(header, rtt::kDisplayNameLong, display_name);
  PutText(header, rtt::kBaseNameLong, base_name);
  PutText(header, rtt::kMaker, rtt::kMakerText);
  PutText(header, rtt::kCategory, position ? rtt::kCategoryPosition : rtt::kCategoryPortfolio);
  return header;
}

}  // namespace vks
