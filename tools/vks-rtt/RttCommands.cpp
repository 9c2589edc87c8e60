#include "tools/vks-rtt/RttCommands.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <optional>
#include <thread>

#include "adapters/cli/CommandLine.h"
#include "platform/automation/DateText.h"
#include "tools/vks-rtt/RttPlot.h"
#include "tools/vks-rtt/RttText.h"

namespace vks::rtt_tool {
namespace {

void PrintTime(const char* label, const RttRecord& record, std::ostream& out) {
  out << label << IsoTime(record.time) << " (" << ExactNumber(record.time.days) << ")\n";
}

// The file opened, or nothing with the message on `err`.
std::optional<RttFile> Open(FileSystem& files, const std::string& path, std::ostream& err) {
  Result<RttFile> file = RttFile::Open(files, path);
  if (file) return std::move(file).value();
  err << "vks-rtt: " << file.error().Description() << "\n";
  return std::nullopt;
}

int Info(FileSystem& files, const std::vector<std::string>& paths, bool json, std::ostream& out,
         std::ostream& err) {
  int status = 0;
  for (const std::string& path : paths) {
    std::optional<RttFile> file = Open(files, path, err);
    if (!file) {
      status = 1;
    } else if (json) {
      PrintInfoJson(*file, path, out);
    } else {
      PrintInfo(*file, path, out);
    }
  }
  return status;
}

// "2024-03-05", "2024-03-05 14:30" or "2024-03-05T14:30": year first, so that no locale's order of
// day and month can misread it. A day alone as the end of a range takes in the whole day.
std::optional<DateValue> ReadRangeTime(std::string text, bool end) {
  const bool year_first =
      text.size() >= 10 && text[4] == '-' &&
      std::all_of(text.begin(), text.begin() + 4, [](unsigned char c) { return std::isdigit(c); });
  if (!year_first) return std::nullopt;
  if (text.size() > 10 && text[10] == 'T') text[10] = ' ';
  std::optional<DateValue> time = ParseDateText(text, AutomationLocale::Invariant());
  if (time && end && text.find(':') == std::string::npos) time->days += 1;
  return time;
}

CLI::Validator RangeTime() {
  return CLI::Validator(
      [](const std::string& text) {
        return ReadRangeTime(text, false) ? std::string() : "kein Datum: " + text;
      },
      "DATUM");
}

int Tail(FileSystem& files, const std::string& path, bool follow, int64_t last, std::ostream& out,
         std::ostream& err) {
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

void PrintInfoJson(RttFile& file, const std::string& path, std::ostream& out) {
  const RttSummary& contents = file.Summary();
  const RttHeaderFields& h = contents.header;
  const auto time = [&](int64_t index) {
    if (contents.record_count == 0) return std::string("null");
    const std::string iso = IsoTime(file.Record(index).time);
    return iso.empty() ? std::string("null") : JsonString(iso);
  };
  out << "{\"file\":" << JsonString(path) << ",\"size\":" << contents.size
      << ",\"well_formed\":" << (contents.well_formed ? "true" : "false")
      << ",\"trailing_bytes\":" << contents.trailing_bytes
      << ",\"signature\":" << JsonString(h.signature)
      << ",\"signature_ok\":" << (h.signature_ok ? "true" : "false")
      << ",\"display_name\":" << JsonString(h.display_name_long)
      << ",\"base_name\":" << JsonString(h.base_name_long)
      << ",\"description\":" << JsonString(h.description)
      << ",\"category\":" << JsonString(h.category) << ",\"records\":" << contents.record_count
      << ",\"first\":" << time(0) << ",\"last\":" << time(contents.record_count - 1) << "}\n";
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
  cli::CommandLine cli("vks-rtt", "RTT-Dateien des Kontoservers ansehen", out, err);
  std::vector<std::string> paths;
  std::string output, from, to;
  bool json = false, follow = false;
  int64_t last = 10;
  cli.App().require_subcommand(1);
  const char* kDatei = "RTT-Datei (- für die Standardeingabe)";
  CLI::App* info = cli.AddCommand("info", "Kopf, Zahl der Datensätze, erste und letzte Zeit");
  info->add_option("DATEI", paths, kDatei)->required();
  info->add_flag("--json", json, "eine JSON-Zeile je Datei");
  CLI::App* dump = cli.AddCommand("dump", "alle Datensätze als CSV oder JSON");
  dump->add_option("DATEI", paths, kDatei)->required()->expected(1);
  dump->add_flag("--json", json, "als JSON");
  CLI::App* tail = cli.AddCommand("tail", "die letzten Datensätze, mit -f auch neu hinzukommende");
  tail->add_option("DATEI", paths, kDatei)->required()->expected(1);
  tail->add_flag("-f", follow, "neue Datensätze abwarten und ausgeben");
  tail->add_option("-n", last, "Zahl der letzten Datensätze (Vorgabe 10)")
      ->check(cli::NonNegativeWhole());
  CLI::App* plot = cli.AddCommand("plot", "Verlauf als PNG- oder SVG-Bild zeichnen");
  plot->add_option("DATEI", paths, "RTT-Dateien")->required();
  plot->add_option("-o", output, "Bilddatei, .png oder .svg")->required();
  plot->add_option("--von", from, "Beginn des Zeitraums: JJJJ-MM-TT, auch mit hh:mm")
      ->check(RangeTime());
  plot->add_option("--bis", to, "Ende des Zeitraums; ein Tag ohne Uhrzeit zählt ganz")
      ->check(RangeTime());
  if (auto code = cli.Parse(args)) return *code;
  TimeRange range;
  if (!from.empty()) range.from = ReadRangeTime(from, false);
  if (!to.empty()) range.to = ReadRangeTime(to, true);
  if (range.from && range.to && range.from->days >= range.to->days)
    return cli.UsageError("--von liegt nicht vor --bis");
  return cli.Run([&] {
    if (*info) return Info(files, paths, json, out, err);
    if (*tail) return Tail(files, paths.front(), follow, last, out, err);
    if (*plot) return PlotRtt(files, paths, output, range, err);
    std::optional<RttFile> file = Open(files, paths.front(), err);
    if (!file) return 1;
    if (json) {
      PrintJson(*file, paths.front(), out);
    } else {
      PrintCsv(*file, out);
    }
    return 0;
  });
}

}  // namespace vks::rtt_tool
