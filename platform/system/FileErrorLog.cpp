#include <cstdio>

#include "platform/automation/AutomationDate.h"
#include "platform/automation/AutomationError.h"
#include "platform/files/FileSystem.h"
#include "platform/system/Clock.h"
#include "platform/system/ErrorLog.h"

namespace vks {
namespace {

std::string OneLine(std::string value) {
  for (char& c : value) {
    if (c == '\t' || c == '\r' || c == '\n') c = ' ';
  }
  return value;
}

class FileErrorLog : public ErrorLog {
 public:
  FileErrorLog(std::string path, FileSystem& files, Clock& clock)
      : path_(std::move(path)), files_(files), clock_(clock) {}

  void Add(const ErrorLogEntry& e) override {
    try {
      CalendarDateTime t = FromAutomationDate(clock_.Now());
      char stamp[32];
      std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day,
                    t.hour, t.minute, t.second);
      std::string line = std::string(stamp) + '\t' + std::to_string(e.number) + '\t' +
                         std::to_string(e.code) + '\t' + OneLine(e.title) + '\t' + OneLine(e.text) +
                         '\t' + OneLine(e.folder) + '\t' + OneLine(e.source) + '\t' +
                         (e.flag ? "-1" : "0") + '\n';
      auto file = files_.NewAppendableFile(path_);
      file->Append(line);
      file->Close();
    } catch (const AutomationError&) {
      // The log is the last resort; there is nowhere left to report its own failure.
    }
  }

 private:
  std::string path_;
  FileSystem& files_;
  Clock& clock_;
};

}  // namespace

std::unique_ptr<ErrorLog> NewFileErrorLog(std::string path, FileSystem& files, Clock& clock) {
  return std::make_unique<FileErrorLog>(std::move(path), files, clock);
}

}  // namespace vks
