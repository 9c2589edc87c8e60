#include "platform/system/JournalLog.h"

#include <charconv>

namespace vks {

namespace {

// The icon bits of a message box's style.
constexpr int32_t kIconMask = 0x70;
constexpr int32_t kCritical = 16;
constexpr int32_t kQuestion = 32;
constexpr int32_t kExclamation = 48;

bool HasPriority(std::string_view line) {
  return line.size() >= 3 && line[0] == '<' && line[1] >= '0' && line[1] <= '7' && line[2] == '>';
}

bool ParseWhole(std::string_view text, uint64_t& value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size() && !text.empty();
}

}  // namespace

int LinePriority(std::string_view line) {
  if (line.starts_with("FEHLER")) return kPriorityError;
  if (line.starts_with("Warnung")) return kPriorityWarning;
  if (line.starts_with("Hinweis")) return kPriorityNotice;
  return kPriorityInfo;
}

int MessagePriority(int32_t style) {
  switch (style & kIconMask) {
    case kCritical:
      return kPriorityError;
    case kExclamation:
      return kPriorityWarning;
    case kQuestion:
      return kPriorityNotice;
    default:
      return kPriorityInfo;
  }
}

bool IsJournalStream(const char* value, uint64_t device, uint64_t inode) {
  if (!value) return false;
  const std::string_view text(value);
  const size_t colon = text.find(':');
  uint64_t d = 0, i = 0;
  return colon != std::string_view::npos && ParseWhole(text.substr(0, colon), d) &&
         ParseWhole(text.substr(colon + 1), i) && d == device && i == inode;
}

JournalPrefixBuffer::int_type JournalPrefixBuffer::overflow(int_type c) {
  if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
  line_ += traits_type::to_char_type(c);
  if (line_.back() == '\n' && !PassLine()) return traits_type::eof();
  return c;
}

JournalPrefixBuffer::~JournalPrefixBuffer() {
  if (line_.empty()) return;
  line_ += '\n';
  PassLine();
  target_.pubsync();
}

int JournalPrefixBuffer::sync() {
  return target_.pubsync();
}

bool JournalPrefixBuffer::PassLine() {
  std::string out;
  if (!HasPriority(line_)) out = "<" + std::to_string(LinePriority(line_)) + ">";
  out += line_;
  line_.clear();
  return target_.sputn(out.data(), static_cast<std::streamsize>(out.size())) ==
         static_cast<std::streamsize>(out.size());
}

JournalPrefixes::JournalPrefixes(std::ostream& log, bool journal) : log_(log) {
  if (!journal || !log.rdbuf()) return;
  original_ = log.rdbuf();
  buffer_ = std::make_unique<JournalPrefixBuffer>(*original_);
  log.rdbuf(buffer_.get());
}

JournalPrefixes::~JournalPrefixes() {
  if (!buffer_) return;
  log_.flush();
  log_.rdbuf(original_);
}

}  // namespace vks
