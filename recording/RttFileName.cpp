#include "recording/RttFileName.h"

#include "recording/FileNameEncoding.h"

namespace vks {
namespace {
constexpr char kSeparator = '/';
constexpr std::string_view kExtension = ".RTT";
}  // namespace

RttLocation RttFileLocation(const RttStorage& storage, std::string_view KontoName,
                            std::string_view TitelWKN, eKontoDatenArt Datenart) {
  RttLocation location;
  std::string_view root = storage.folder;
  if (root.empty()) return location;
  if (root.size() > 1 && root.back() == kSeparator) root.remove_suffix(1);
  std::string konto = EncodeFileName(KontoName);
  std::string base = EncodeFileName(RttBaseName(KontoName, TitelWKN, Datenart));
  std::string_view sub = RttSubFolder(Datenart);
  std::string& file = location.file;
  file.reserve(root.size() + konto.size() + sub.size() + base.size() + kExtension.size() + 3);
  file.append(root).append(1, kSeparator).append(konto).append(1, kSeparator).append(sub);
  location.folder_length = file.size();
  file.append(1, kSeparator).append(base).append(kExtension);
  return location;
}

std::string GetRTTDateiName(FileSystem& dateien, const RttStorage& storage,
                            std::string_view KontoName, std::string_view TitelWKN,
                            eKontoDatenArt Datenart, bool NurName) {
  if (NurName) return EncodeFileName(RttBaseName(KontoName, TitelWKN, Datenart));
  RttLocation location = RttFileLocation(storage, KontoName, TitelWKN, Datenart);
  if (location.file.empty() || !CreateFolderPath(dateien, location.Folder())) return {};
  return location.file;
}

}  // namespace vks
