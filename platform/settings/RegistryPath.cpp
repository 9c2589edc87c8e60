#include "platform/settings/RegistryPath.h"

#include "platform/automation/KeyedDictionary.h"

namespace vks {

namespace {

std::optional<AutomationError> CheckName(std::string_view name, size_t max_chars,
                                         std::string_view what) {
  if (name.find('\0') != std::string_view::npos) {
    return InvalidRegistryArgument(std::string(what) + " mit NUL-Zeichen");
  }
  std::optional<size_t> length = Utf8Length(name);
  if (!length) return InvalidRegistryArgument(std::string(what) + " ist kein gültiges UTF-8");
  if (*length > max_chars) {
    return InvalidRegistryArgument(std::string(what) + " länger als " + std::to_string(max_chars) +
                                   " Zeichen");
  }
  return std::nullopt;
}

}  // namespace

AutomationError InvalidRegistryArgument(std::string_view detail) {
  return AutomationError(
      error::kInvalidCall, std::string(kRegistryErrorSource),
      std::string(ErrorDescription(error::kInvalidCall)) + " (" + std::string(detail) + ")");
}

std::optional<size_t> Utf8Length(std::string_view text) {
  size_t count = 0;
  for (size_t i = 0; i < text.size(); ++count) {
    const auto lead = static_cast<unsigned char>(text[i]);
    size_t extra;
    uint32_t code;
    if (lead < 0x80) {
      extra = 0;
      code = lead;
    } else if ((lead & 0xE0) == 0xC0) {
      extra = 1;
      code = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
      extra = 2;
      code = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
      extra = 3;
      code = lead & 0x07;
    } else {
      return std::nullopt;
    }
    if (i + extra >= text.size()) return std::nullopt;
    for (size_t k = 1; k <= extra; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) return std::nullopt;
      code = (code << 6) | (next & 0x3F);
    }
    static constexpr uint32_t kMinForLength[] = {0, 0x80, 0x800, 0x10000};
    if (code < kMinForLength[extra] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
      return std::nullopt;
    }
    i += extra + 1;
  }
  return count;
}

Result<std::vector<std::string_view>> SplitKeyPath(std::string_view path) {
  std::vector<std::string_view> segments;
  if (path.empty()) return segments;
  size_t start = 0;
  while (true) {
    const size_t end = path.find('\\', start);
    const std::string_view segment =
        path.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
    if (segment.empty()) {
      return InvalidRegistryArgument("leerer Abschnitt im Schlüsselpfad '" + std::string(path) +
                                     "'");
    }
    if (auto error = CheckName(segment, kMaxKeyNameChars, "Schlüsselname")) return *error;
    segments.push_back(segment);
    if (segments.size() > kMaxKeyDepth) {
      return InvalidRegistryArgument("Schlüsselpfad tiefer als " + std::to_string(kMaxKeyDepth) +
                                     " Ebenen");
    }
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return segments;
}

std::optional<AutomationError> CheckValueName(std::string_view name) {
  return CheckName(name, kMaxValueNameChars, "Wertname");
}

std::optional<AutomationError> CheckValueData(const RegistryValue& value) {
  if (value.type < 0) {
    return InvalidRegistryArgument("Werttyp " + std::to_string(value.type));
  }
  if (value.data.size() > kMaxValueBytes) {
    return InvalidRegistryArgument("Wert länger als " + std::to_string(kMaxValueBytes) + " Bytes");
  }
  return std::nullopt;
}

std::string RegistryFold(std::string_view name) {
  std::string folded = FoldCase(name);
  for (char& c : folded) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return folded;
}

}  // namespace vks
