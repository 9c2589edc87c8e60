// Key names and the two text encodings of registry files.
#include "platform/automation/AutomationError.h"
#include "platform/settings/RegistryPath.h"
#include "tools/vks-reg/RegFile.h"

namespace vks {

Result<RegKeyName> ParseRegKeyName(std::string_view text) {
  const size_t slash = text.find('\\');
  const std::string_view root_name = text.substr(0, slash);
  auto root = RegistryRootFromName(root_name);
  if (!root)
    return InvalidRegistryArgument("unbekannter Wurzelschlüssel '" + std::string(text) + "'");
  std::string path = slash == std::string_view::npos ? "" : std::string(text.substr(slash + 1));
  if (auto segments = SplitKeyPath(path); !segments.ok()) return segments.error();
  return RegKeyName{*root, std::move(path)};
}

std::string FullKeyName(const RegKeyName& key) {
  std::string name(RegistryRootName(key.root));
  if (!key.path.empty()) name += "\\" + key.path;
  return name;
}

std::string Utf8ToUtf16Le(std::string_view utf8) {
  std::string out;
  for (size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    const size_t extra = lead < 0x80 ? 0 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : 3;
    uint32_t code = extra == 0 ? lead : lead & (0x3F >> extra);
    for (size_t k = 1; k <= extra && i + k < utf8.size(); ++k) {
      code = (code << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    }
    i += extra + 1;
    const auto unit = [&out](uint32_t u) {
      out += static_cast<char>(u & 0xFF);
      out += static_cast<char>(u >> 8);
    };
    if (code >= 0x10000) {
      code -= 0x10000;
      unit(0xD800 | (code >> 10));
      unit(0xDC00 | (code & 0x3FF));
    } else {
      unit(code);
    }
  }
  return out;
}

Result<std::string> Utf16LeToUtf8(std::string_view bytes) {
  if (bytes.size() % 2 != 0) return InvalidRegistryArgument("UTF-16-Text mit ungerader Länge");
  std::string out;
  for (size_t i = 0; i < bytes.size(); i += 2) {
    uint32_t code = static_cast<unsigned char>(bytes[i]) |
                    (uint32_t{static_cast<unsigned char>(bytes[i + 1])} << 8);
    if (code >= 0xD800 && code <= 0xDBFF && i + 3 < bytes.size()) {
      const uint32_t low = static_cast<unsigned char>(bytes[i + 2]) |
                           (uint32_t{static_cast<unsigned char>(bytes[i + 3])} << 8);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
        i += 2;
      }
    }
    if (code >= 0xD800 && code <= 0xDFFF) {
      return InvalidRegistryArgument("UTF-16-Text mit einzelnem Ersatzzeichen");
    }
    if (code < 0x80) {
      out += static_cast<char>(code);
    } else if (code < 0x800) {
      out += static_cast<char>(0xC0 | (code >> 6));
      out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
      out += static_cast<char>(0xE0 | (code >> 12));
      out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (code >> 18));
      out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (code & 0x3F));
    }
  }
  return out;
}

}  // namespace vks
