#include "server/AccountStore.h"

#include <cstdio>

#include "accounts/StorableTexts.h"
#include "platform/automation/AutomationDate.h"
#include "platform/automation/AutomationError.h"
#include "platform/files/FileSystem.h"
#include "platform/system/Clock.h"
#include "platform/system/ErrorLog.h"
#include "platform/system/MessageReporter.h"
#include "server/StoreFormat.h"
#include "server/StoreReader.h"
#include "server/StoreWriter.h"

namespace vks {
namespace {

constexpr const char* kLoadFailed = "Fehler beim Laden der Konten aufgetreten: ";
constexpr const char* kSaveFailedTitle = "Fehler beim Speichern der Konten aufgetreten";

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
  return JoinPath(data_folder_, store::kStoreFileName);
}

void AccountStore::LadeKonten(KontenSammlung& konten) {
  if (data_folder_.empty()) return;
  const std::string path = StorePath();
  std::string bytes;
  try {
    if (!files_.FileExists(path)) files_.NewWritableFile(path)->Close();
    bytes = files_.ReadFile(path);
    if (bytes.empty()) return;
    size_t offset = 0;
    auto bounds = ReadStoreArrayHeader(bytes, offset);
    if (!bounds) {
      // Anything but an array holds no accounts; it must still be well formed.
      (void)ReadStoreVariant(bytes, offset);
      CheckNothingFollows(bytes, offset);
      return;
    }
    if (bounds->size() != 1) {
      throw AutomationError(5, "", "Kontendatei beschädigt: Kontenliste ist nicht eindimensional");
    }
    konten = KontenSammlung(CompareMode::Text);
    // Records are read one at a time, so that the accounts before a damaged one are kept and
    // only one record's values are held at once. Elements below index 1 are never read.
    const ArrayBound bound = bounds->front();
    for (int64_t i = bound.lower; i < int64_t{bound.lower} + bound.count; ++i) {
      size_t record_offset = offset;
      try {
        Variant record = ReadStoreVariant(bytes, offset);
        if (i < 1) continue;
        auto konto = std::make_shared<clKonto>();
        konto->ReadAllProperties(record);
        std::string name = konto->KontoName;
        konten.Add(std::move(name), std::move(konto));
      } catch (const AutomationError& e) {
        throw AutomationError(e.Number(), e.Source(),
                              "Konto Nr. " + std::to_string(i) + " (ab Byte " +
                                  std::to_string(record_offset) + "): " + e.Description());
      }
    }
    CheckNothingFollows(bytes, offset);
  } catch (const AutomationError& e) {
    reporter_.ZeigeMeldung(kLoadFailed + e.Description(), msgbox::kOkOnly);
    if (!bytes.empty()) KeepDamagedFile(bytes);
  }
}

void AccountStore::KeepDamagedFile(const std::string& bytes) {
  try {
    WriteAtomically(StorePath() + ".defekt-" + TimeStamp(clock_.Now()), bytes);
  } catch (const AutomationError& e) {
    error_log_.Add({6, 0, kSaveFailedTitle,
                    "Beschädigte Kontendatei konnte nicht gesichert werden: " + e.Description(),
                    own_folder_, "Konto-Server", true});
  }
}

std::string SerializeKonten(const KontenSammlung& konten) {
  std::string out;
  out.reserve(4096 * konten.Count() + 16);
  AppendStoreArrayHeader(out, {ArrayBound{1, static_cast<int32_t>(konten.Count())}});
  for (const auto& entry : konten) {
    const clKonto& konto = *entry.value;
    try {
      CheckStorableTexts(konto);
      AppendStoreVariant(out, konto.WriteAllProperties());
    } catch (const AutomationError& e) {
      if (e.Description().starts_with("Konto ")) throw;
      throw AutomationError(e.Number(), e.Source(),
                            "Konto \"" + konto.KontoName + "\": " + e.Description());
    }
  }
  return out;
}

void AccountStore::WriteAtomically(const std::string& path, const std::string& bytes) {
  const std::string temporary = path + ".neu";
  try {
    auto file = files_.NewWritableFile(temporary);
    file->Append(bytes);
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

void AccountStore::SpeichereKonten(const KontenSammlung& konten) {
  if (data_folder_.empty()) return;
  const std::string path = StorePath();
  try {
    if (konten.Count() == 0) {
      if (files_.FileExists(path)) {
        files_.DeleteFile(path);
        files_.SyncFolder(data_folder_);
      }
      return;
    }
    WriteAtomically(path, SerializeKonten(konten));
  } catch (const AutomationError& e) {
    error_log_.Add({6, 0, kSaveFailedTitle, "Fehlermeldung: " + e.Description(), own_folder_,
                    "Konto-Server", true});
  }
}

}  // namespace vks
