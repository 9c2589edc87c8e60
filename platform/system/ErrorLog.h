#pragma once
// The error log of the installation: failures that no one is there to see (a save on a timer tick)
// are written here instead of a message box.
#include <cstdint>
#include <memory>
#include <string>

namespace vks {

class Clock;
class FileSystem;

struct ErrorLogEntry {
  int32_t number = 0;
  int32_t code = 0;
  std::string title;
  std::string text;
  std::string folder;
  std::string source;
  bool flag = false;
};

class ErrorLog {
 public:
  virtual ~ErrorLog() = default;
  // Never fails towards the caller.
  virtual void Add(const ErrorLogEntry& entry) = 0;
};

// One line per entry, appended to `path`: the local time, then the seven values separated by tabs
// (tabs and line breaks inside a value become blanks; the flag as -1 or 0).
std::unique_ptr<ErrorLog> NewFileErrorLog(std::string path, FileSystem& files, Clock& clock);

// The log's file name in the data folder.
inline constexpr const char* kErrorLogFileName = "VKSKontoServer.log";

}  // namespace vks
