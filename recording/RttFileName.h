#pragma once
// Where each RTT series lives: storage folder / account / sub-folder / base name ".RTT", with the
// account name and the base name encoded (FileNameEncoding.h) so that no name from the host can
// reach outside the storage folder.
#include <string>
#include <string_view>

#include "platform/files/FileSystem.h"
#include "recording/RttStorage.h"
#include "recording/eKontoDatenArt.h"

namespace vks {

struct RttLocation {
  std::string file;  // storage / account / sub-folder / base name ".RTT"
  size_t folder_length = 0;
  // storage / account / sub-folder, no trailing separator
  std::string_view Folder() const { return std::string_view(file).substr(0, folder_length); }
};

// Builds the names without touching the disk. Empty when the storage folder is not set.
RttLocation RttFileLocation(const RttStorage& storage, std::string_view KontoName,
                            std::string_view TitelWKN, eKontoDatenArt Datenart);

// With NurName: the encoded file base name, touching nothing. Otherwise the full file name after
// creating its folder; "" when the folder cannot be created or no storage folder is set.
std::string GetRTTDateiName(FileSystem& dateien, const RttStorage& storage,
                            std::string_view KontoName, std::string_view TitelWKN,
                            eKontoDatenArt Datenart, bool NurName);

}  // namespace vks
