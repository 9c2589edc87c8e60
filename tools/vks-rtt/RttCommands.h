#pragma once
// The subcommands of vks-rtt, apart from its command line, so that tests and the fuzz target can
// drive them with any file system and streams. Each walks the records in pieces, so that a file of
// any length costs the same memory.
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "recording/RttReader.h"

namespace vks::rtt_tool {

// Header fields, record count, first and last time, well-formedness.
void PrintInfo(RttFile& file, const std::string& path, std::ostream& out);
// One line per record: index, ISO time, automation date, value, second value.
// The same as one line of JSON.
void PrintInfoJson(RttFile& file, const std::string& path, std::ostream& out);
void PrintCsv(RttFile& file, std::ostream& out);
void PrintJson(RttFile& file, const std::string& path, std::ostream& out);
void PrintRecordLine(int64_t index, const RttRecord& record, std::ostream& out);

// Prints the last `last` records of the file and then, while `keep_going()` says so, each record
// as it is appended (the file is read again after each `wait()`). Returns 0, or 1 with a message
// on `err` when the file cannot be read.
int FollowRtt(FileSystem& files, const std::string& path, int64_t last, std::ostream& out,
              std::ostream& err, const std::function<bool()>& keep_going,
              const std::function<void()>& wait);

// The whole command line after the program name. Returns the exit code.
int RunRttTool(FileSystem& files, const std::vector<std::string>& args, std::ostream& out,
               std::ostream& err);

}  // namespace vks::rtt_tool
