#include "session/AccountStore.h"

#include <cstdio>
#include <functional>

#include "accounts/StorableTexts.h"
#include "platform/automation/AutomationDate.h"
#include "platform/automation/AutomationError.h"
#include "platform/automation/StoreReader.h"
#include "platform/automation/StoreWriter.h"
#include "platform/files/FileSystem.h"
#include "platform/system/Clock.h"
#include "platform/system/ErrorLog.h"
#include "platform/system/MessageReporter.h"

namespace vks {
namespace {

constexpr const char* kLoadFailed = "Fehler beim Laden der Konten aufgetreten: ";
constexpr const char* kSaveFailedTitle = "Fehler beim Speichern der Konten aufgetreten";
constexpr const char* kSavedAgainTitle = "Konten wieder gespeichert";
constexpr size_t kChunkBytes = size_t{1} << 20;
// What a save writes before it renames the file into place.
constexpr const char* kTemporarySuffix = ".neu";

std::string TimeStamp(DateValue now) {
  CalendarDateTime t = FromAutomationDate(now);
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "%04d%02d%02d-%02d%02d%02d", t.year, t.month, t.day, t.hour,
                t.minute, t.second);
  return stamp;
}

void CheckNothingFollows(const std::string& bytes, size_t offset) {
  if (offset != bytes.size()) {
    throw AutomationError(5, "",
                          "Kontendatei beschädigt: " + std::to_string(bytes.size() - offset) +
                              " überzählige Bytes ab Byte " + std::to_string(offset));
  }
}

}  // namespace

AccountStore::AccountStore(std::string data_folder, std::string own_folder, FileSystem& files,
                           MessageReporter& reporter, ErrorLog& error_log, Clock& clock)
    : data_folder_(std::move(data_folder)),
      own_folder_(std::move(own_folder)),
      files_(files),
      reporter_(reporter),
      error_log_(error_log),
      clock_(clock) {}

std::string AccountStore::StorePath() const {
  if (data_folder_.empty()) return {};
  return JoinPath(data_folder_, kStoreFileName);
}

void AccountStore::LadeKonten(KontenSammlung& konten) {
  if (data_folder_.empty()) return;
  const std::string path = StorePath();
  std::string bytes;
  try {
    if (!files_.FileExists(path)) {
      // Without the store, a temporary file may be the only copy of the last save: it stays.
      files_.NewWritableFile(path)->Close();
      return;
    }
    bytes = files_.ReadFile(path);
    if (bytes.empty()) {
      RemoveUnfinishedSave();
      return;
    }
    StoreReader reader(bytes);
    auto bounds = reader.ArrayHeader();
    if (!bounds) {
      // Anything but an array holds no accounts; it must still be well formed.
      reader.Skip();
      CheckNothingFollows(bytes, reader.Offset());
      RemoveUnfinishedSave();
      return;
    }
    if (bounds->size() != 1) {
      throw AutomationError(5, "", "Kontendatei beschädigt: Kontenliste ist nicht eindimensional");
    }
    konten = KontenSammlung(CompareMode::Text);
    // Records are read one at a time straight from the bytes, so that the accounts before a
    // damaged one are kept. Elements below index 1 are never read.
    const ArrayBound bound = bounds->front();
    for (int64_t i = bound.lower; i < int64_t{bound.lower} + bound.count; ++i) {
      size_t record_offset = reader.Offset();
      try {
        if (i < 1) {
          reader.Skip();
          continue;
        }
        auto konto = std::make_shared<clKonto>();
        konto->ReadAllProperties(reader);
        std::string name = konto->KontoName;
        konten.Add(std::move(name), std::move(konto));
      } catch (const AutomationError& e) {
        throw AutomationError(e.Number(), e.Source(),
                              "Konto Nr. " + std::to_string(i) + " (ab Byte " +
                                  std::to_string(record_offset) + "): " + e.Description());
      }
    }
    CheckNothingFollows(bytes, reader.Offset());
    RemoveUnfinishedSave();
  } catch (const AutomationError& e) {
    reporter_.ZeigeMeldung(kLoadFailed + e.Description(), msgbox::kOkOnly);
    if (!bytes.empty()) KeepDamagedFile(bytes);
  }
}

void AccountStore::RemoveUnfinishedSave() {
  const std::string temporary = StorePath() + kTemporarySuffix;
  if (!files_.FileExists(temporary)) return;
  try {
    files_.DeleteFile(temporary);
  } catch (const AutomationError&) {
    // The next save truncates it anyway.
  }
}

void AccountStore::KeepDamagedFile(const std::string& bytes) {
  try {
    WriteAtomically(StorePath() + ".defekt-" + TimeStamp(clock_.Now()),
                    [&bytes](WritableFile& file) { file.Append(bytes); });
  } catch (const AutomationError& e) {
    error_log_.Add({6, 0, kSaveFailedTitle,
                    "Beschädigte Kontendatei konnte nicht gesichert werden: " + e.Description(),
                    own_folder_, "Konto-Server", true});
  }
}

void SchreibeKonten(const KontenSammlung& konten, std::string& out,
                    const std::function<void(std::string&)>& after_each) {
  StoreWriter writer(out);
  writer.ArrayHeader(1, static_cast<int32_t>(konten.Count()));
  for (const auto& entry : konten) {
    const clKonto& konto = *entry.value;
    try {
      konto.WriteAllProperties(writer);
    } catch (const AutomationError& e) {
      // The writer refuses a text it cannot store; the check, run only now because a second walk
      // over every fill costs a quarter of a save, names the field and where it sits.
      CheckStorableTexts(konto);
      throw AutomationError(e.Number(), e.Source(),
                            "Konto \"" + konto.KontoName + "\": " + e.Description());
    }
    after_each(out);
  }
}

std::string SerialisiereKonten(const KontenSammlung& konten) {
  std::string out;
  SchreibeKonten(konten, out, [](std::string&) {});
  return out;
}

void AccountStore::WriteAtomically(const std::string& path,
                                   const std::function<void(WritableFile&)>& write) {
  const std::string temporary = path + kTemporarySuffix;
  try {
    auto file = files_.NewWritableFile(temporary);
    write(*file);
    file->Sync();
    file->Close();
    files_.RenameFile(temporary, path);
  } catch (const AutomationError&) {
    try {
      files_.DeleteFile(temporary);
    } catch (const AutomationError&) {
    }
    throw;
  }
  files_.SyncFolder(data_folder_);
}

std::optional<AutomationError> AccountStore::SpeichereKonten(const KontenSammlung& konten) {
  if (data_folder_.empty()) return std::nullopt;
  std::optional<AutomationError> failure = WriteStore(konten);
  if (failure) {
    ++failed_saves_;
    if (logged_failure_ != failure->Description()) {
      logged_failure_ = failure->Description();
      error_log_.Add({6, 0, kSaveFailedTitle, "Fehlermeldung: " + failure->Description(),
                      own_folder_, "Konto-Server", true});
    }
  } else if (logged_failure_) {
    error_log_.Add(
        {0, 0, kSavedAgainTitle,
         "Gespeichert nach " + std::to_string(failed_saves_) + " fehlgeschlagenen Versuchen",
         own_folder_, "Konto-Server", false});
    logged_failure_.reset();
    failed_saves_ = 0;
  }
  return failure;
}

std::optional<AutomationError> AccountStore::WriteStore(const KontenSammlung& konten) {
  const std::string path = StorePath();
  try {
    if (konten.Count() == 0) {
      if (files_.FileExists(path)) {
        files_.DeleteFile(path);
        files_.SyncFolder(data_folder_);
      }
      return std::nullopt;
    }
    WriteAtomically(path, [&konten](WritableFile& file) {
      // Written in pieces of about kChunkBytes: the buffer stays small and warm in the cache
      // instead of growing to the size of the store.
      std::string chunk;
      chunk.reserve(2 * kChunkBytes);
      SchreibeKonten(konten, chunk, [&file](std::string& bytes) {
        if (bytes.size() < kChunkBytes) return;
        file.Append(bytes);
        bytes.clear();
        // The disk writes this piece while the next one is built.
        file.StartWriteback();
      });
      file.Append(chunk);
    });
  } catch (const AutomationError& e) {
    return e;
  }
  return std::nullopt;
}

}  // namespace vks
