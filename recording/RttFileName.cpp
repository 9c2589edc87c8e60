#include "recording/RttFileName.h"

#include "platform/files/PosixFile.h"
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
  location.folder.reserve(root.size() + KontoName.size() + 16);
  location.folder.append(root);
  location.folder += kSeparator;
  location.folder += EncodeFileName(KontoName);
  location.folder += kSeparator;
  location.folder.append(RttSubFolder(Datenart));
  location.file.reserve(location.folder.size() + KontoName.size() + 32);
  location.file = location.folder;
  location.file += kSeparator;
  location.file += EncodeFileName(RttBaseName(KontoName, TitelWKN, Datenart));
  location.file.append(kExtension);
  return location;
}

std::string GetRTTDateiName(const RttStorage& storage, std::string_view KontoName,
                            std::string_view TitelWKN, eKontoDatenArt Datenart, bool NurName) {
  if (NurName) return EncodeFileName(RttBaseName(KontoName, TitelWKN, Datenart));
  RttLocation location = RttFileLocation(storage, KontoName, TitelWKN, Datenart);
  if (location.folder.empty() || !ErzeugeOrdnerPfad(location.folder)) return {};
  return location.file;
}

bool ErzeugeOrdnerPfad(std::string_view path) {
  if (path.empty()) return false;
  std::string folder(path);
  if (folder.back() == kSeparator) folder.pop_back();
  if (folder.empty() || posix::PathExists(folder)) return true;  // "" was the root
  size_t last = folder.rfind(kSeparator);
  if (last != std::string::npos) {
    std::string parent = folder.substr(0, last);
    if (parent.find(kSeparator) != std::string::npos && !ErzeugeOrdnerPfad(parent)) return false;
  }
  // Another process may have created it meanwhile.
  return posix::MakeDirectory(folder) == 0 || posix::PathExists(folder);
}

}  // namespace vks
