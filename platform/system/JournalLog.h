#pragma once
// The log as the journal reads it. A program that systemd runs with its standard error connected
// to the journal (JOURNAL_STREAM names that stream) marks each line with its priority, "<3>" to
// "<6>" as syslog counts them, so that `journalctl -p` and the desktop's log viewer tell errors
// from chatter. Elsewhere (a terminal, a file, the bus's own log) the lines stay as they are.
#include <cstdint>
#include <memory>
#include <ostream>
#include <streambuf>
#include <string>
#include <string_view>

namespace vks {

inline constexpr int kPriorityError = 3;
inline constexpr int kPriorityWarning = 4;
inline constexpr int kPriorityNotice = 5;
inline constexpr int kPriorityInfo = 6;

// A line of our log by its start: "FEHLER" an error, "Warnung" a warning, "Hinweis" a notice,
// anything else information.
int LinePriority(std::string_view line);
// A message box written to the log, by its icon (vbCritical, vbExclamation, vbQuestion).
int MessagePriority(int32_t style);
// Whether JOURNAL_STREAM's value ("device:inode", decimal) names the stream with this device and
// inode. A value inherited from a parent names another stream, and an unset one none.
bool IsJournalStream(const char* value, uint64_t device, uint64_t inode);

// Writes each line to `target` with its priority in front, unless the line brings its own
// ("<N>..."). A line is passed on whole once its end has been written (a flush amid a line, as
// std::cerr makes after each <<, waits for the rest); a last part without an end is passed on
// when the buffer ends.
class JournalPrefixBuffer : public std::streambuf {
 public:
  // REQUIRES: target outlives the buffer.
  explicit JournalPrefixBuffer(std::streambuf& target) : target_(target) {}
  ~JournalPrefixBuffer() override;

 protected:
  int_type overflow(int_type c) override;
  int sync() override;

 private:
  bool PassLine();
  std::streambuf& target_;
  std::string line_;
};

// Makes `log` write through a JournalPrefixBuffer when `journal` says so; the returned buffer must
// live as long as `log` writes, and gives `log` its own buffer back when it ends.
class JournalPrefixes {
 public:
  JournalPrefixes(std::ostream& log, bool journal);
  ~JournalPrefixes();
  JournalPrefixes(const JournalPrefixes&) = delete;
  JournalPrefixes& operator=(const JournalPrefixes&) = delete;
  bool Active() const { return buffer_ != nullptr; }

 private:
  std::ostream& log_;
  std::streambuf* original_ = nullptr;
  std::unique_ptr<JournalPrefixBuffer> buffer_;
};

}  // namespace vks
