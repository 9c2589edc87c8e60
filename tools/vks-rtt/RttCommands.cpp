#include "tools/vks-rtt/RttCommands.h"

#include <chrono>
#include <optional>
#include <thread>

#include "tools/vks-rtt/RttPlot.h"
#include "tools/vks-rtt/RttText.h"

namespace vks::rtt_tool {
namespace {

constexpr const char* kUsage =
    "Aufruf: vks-rtt info DATEI...\n"
    "        vks-rtt dump [--json] DATEI\n"
    "        vks-rtt tail [-f] [-n ANZAHL] DATEI\n"
    "        vks-rtt plot DATEI... -o AUSGABE.png|AUSGABE.svg\n";

void PrintTime(const char* label, const RttRecord& record, std::ostream& out) {
  out << label << IsoTime(record.time) << " (" << ExactNumber(record.time.days) << ")\n";
}

int Usage(std::ostream& err) {
  err << kUsage;
  return 2;
}

// The file opened, or nothing with the message on `err`.
std::optional<RttFile> Open(FileSystem& files, const std::string& path, std::ostream& err) {
  Result<RttFile> file = RttFile::Open(files, path);
  if (file) return std::move(file).value();
  err << "vks-rtt: " << file.error().Description() << "\n";
  return std::nullopt;
}

int Info(FileSystem& files, const std::vector<std::string>& paths, std::ostream& out,
         std::ostream& err) {
  int status = 0;
  for (const std::string& path : paths) {
    std::optional<RttFile> file = Open(files, path, err);
    if (file) {
      PrintInfo(*file, path, out);
    } else {
      status = 1;
    }
  }
  return status;
}

int Dump(FileSystem& files, const std::vector<std::string>& args, std::ostream& out,
         std::ostream& err) {
  bool json = false;
  std::string path;
  for (const std::string& arg : args) {
    if (arg == "--json") {
      json = true;
    } else if (path.empty() && arg.rfind("-", 0) != 0) {
      path = arg;
    } else {
      return Usage(err);
    }
  }
  if (path.empty()) return Usage(err);
  std::optional<RttFile> file = Open(files, path, err);
  if (!file) return 1;
  if (json) {
    PrintJson(*file, path, out);
  } else {
    PrintCsv(*file, out);
  }
  return 0;
}

int Tail(FileSystem& files, const std::vector<std::string>& args, std::ostream& out,
         std::ostream& err) {
  bool follow = false;
  int64_t last = 10;
  std::string path;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "-f") {
      follow = true;
    } else if (args[i] == "-n" && i + 1 < args.size()) {
      try {
        last = std::stoll(args[++i]);
      } catch (const std::exception&) {
        return Usage(err);
      }
      if (last < 0) return Usage(err);
    } else if (path.empty() && args[i].rfind("-", 0) != 0) {
      path = args[i];
    } else {
      return Usage(err);
    }
  }
  if (path.empty()) return Usage(err);
  bool first = true;
  return FollowRtt(
      files, path, last, out, err,
      [&] {
        bool again = first || follow;
        first = false;
        return again;
      },
      [] { std::this_thread::sleep_for(std::chrono::milliseconds(200)); });
}

int Plot(FileSystem& files, const std::vector<std::string>& args, std::ostream& err) {
  std::vector<std::string> paths;
  std::string output;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "-o" && i + 1 < args.size() && output.empty()) {
      output = args[++i];
    } else if (args[i].rfind("-", 0) != 0) {
      paths.push_back(args[i]);
    } else {
      return Usage(err);
    }
  }
  if (paths.empty() || output.empty()) return Usage(err);
  return PlotRtt(files, paths, output, err);
}

}  // namespace

void PrintInfo(RttFile& file, const std::string& path, std::ostream& out) {
  const RttSummary& contents = file.Summary();
  const RttHeaderFields& h = contents.header;
  out << "Datei: " << path << "\n";
  out << "Größe: " << contents.size << " Bytes\n";
  out << "Wohlgeformt: ";
  if (contents.well_formed) {
    out << "ja\n";
  } else {
    out << "nein (" << contents.trailing_bytes << " Bytes nach dem letzten ganzen Datensatz)\n";
  }
  out << "Kennung: " << h.signature << (h.signature_ok ? "" : " (unbekannt)") << "\n";
  out << "Anzeigename: " << h.display_name_long << "\n";
  out << "Dateiname: " << h.base_name_long << "\n";
  out << "Beschreibung: " << h.description << "\n";
  out << "Art: " << h.category << "\n";
  if (!h.zero_fields_ok) out << "Hinweis: Felder, die der Server leer lässt, sind belegt\n";
  out << "Datensätze: " << contents.record_count << "\n";
  if (contents.record_count > 0) {
    PrintTime("Erster: ", file.Record(0), out);
    PrintTime("Letzter: ", file.Record(contents.record_count - 1), out);
  }
}

void PrintRecordLine(int64_t index, const RttRecord& record, std::ostream& out) {
  out << index << ',' << IsoTime(record.time) << ',' << ExactNumber(record.time.days) << ','
      << ExactNumber(record.value) << ',' << ExactNumber(record.value2) << '\n';
}

void PrintCsv(RttFile& file, std::ostream& out) {
  out << "index,time,date,value,value2\n";
  file.ForEachRecord(0, [&](int64_t i, const RttRecord& r) { PrintRecordLine(i, r, out); });
}

void PrintJson(RttFile& file, const std::string& path, std::ostream& out) {
  const RttSummary& contents = file.Summary();
  const RttHeaderFields& h = contents.header;
  out << "{\"file\":" << JsonString(path) << ",\"size\":" << contents.size
      << ",\"well_formed\":" << (contents.well_formed ? "true" : "false")
      << ",\"header\":{\"signature\":" << JsonString(h.signature)
      << ",\"display_name\":" << JsonString(h.display_name_long)
      << ",\"base_name\":" << JsonString(h.base_name_long)
      << ",\"description\":" << JsonString(h.description)
      << ",\"category\":" << JsonString(h.category) << "},\"records\":[";
  file.ForEachRecord(0, [&](int64_t i, const RttRecord& r) {
    std::string iso = IsoTime(r.time);
    out << (i ? "," : "") << "\n{\"time\":" << (iso.empty() ? "null" : JsonString(iso))
        << ",\"date\":" << JsonNumber(r.time.days) << ",\"value\":" << JsonNumber(r.value)
        << ",\"value2\":" << JsonNumber(r.value2) << "}";
  });
  out << "\n]}\n";
}

int FollowRtt(FileSystem& files, const std::string& path, int64_t last, std::ostream& out,
              std::ostream& err, const std::function<bool()>& keep_going,
              const std::function<void()>& wait) {
  std::optional<RttFile> file = Open(files, path, err);
  if (!file) return 1;
  int64_t next = std::max<int64_t>(0, file->Summary().record_count - last);
  file.reset();
  while (keep_going()) {
    // Following reads what was added since, so a long-running tail stays small too.
    Result<std::vector<RttRecord>> records = ReadRttRecordsFrom(files, path, next);
    if (!records) {
      err << "vks-rtt: " << records.error().Description() << "\n";
      return 1;
    }
    for (const RttRecord& r : *records) PrintRecordLine(next++, r, out);
    out.flush();
    wait();
  }
  return 0;
}

int RunRttTool(FileSystem& files, const std::vector<std::string>& args, std::ostream& out,
               std::ostream& err) {
  if (args.empty()) return Usage(err);
  std::vector<std::string> rest(args.begin() + 1, args.end());
  const std::string& command = args[0];
  try {
    if (command == "info" && !rest.empty()) return Info(files, rest, out, err);
    if (command == "dump") return Dump(files, rest, out, err);
    if (command == "tail") return Tail(files, rest, out, err);
    if (command == "plot") return Plot(files, rest, err);
  } catch (const AutomationError& e) {
    // A read that fails after the opening.
    err << "vks-rtt: " << e.Description() << "\n";
    return 1;
  }
  if (command == "help" || command == "--help" || command == "-h") {
    out << kUsage;
    return 0;
  }
  return Usage(err);
}

}  // namespace vks::rtt_tool
