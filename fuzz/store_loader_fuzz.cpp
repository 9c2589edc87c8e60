// Feeds arbitrary bytes as the account store to the server's own load (AccountStore::LadeKonten
// with every account's ReadAllProperties), over files held in memory. Beyond "never crashes", a
// store that loads must save and load again to the same bytes.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fakes/FakeClock.h"
#include "fakes/MemoryFileSystem.h"
#include "fakes/RecordingReporter.h"
#include "session/AccountStore.h"

namespace {

constexpr const char* kDataFolder = "/daten";

// Loads `bytes` as the store; false when the load reported a fault.
bool Load(const std::string& bytes, vks::KontenSammlung& konten) {
  vks::fuzzing::MemoryFileSystem files;
  vks::testing::RecordingReporter reporter;
  vks::testing::RecordingErrorLog error_log;
  vks::testing::FakeClock clock;
  vks::AccountStore store(kDataFolder, "/programm", files, reporter, error_log, clock);
  files.files[store.StorePath()] = bytes;
  store.LadeKonten(konten);
  return reporter.messages.empty();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  vks::KontenSammlung konten(vks::CompareMode::Text);
  if (!Load(std::string(reinterpret_cast<const char*>(data), size), konten)) return 0;
  if (konten.Count() == 0) return 0;
  // What was loaded is what the next save writes; loading that must give it back unchanged.
  const std::string saved = vks::SerialisiereKonten(konten);
  vks::KontenSammlung again(vks::CompareMode::Text);
  if (!Load(saved, again) || vks::SerialisiereKonten(again) != saved) std::abort();
  return 0;
}
