#include <string>

#include "platform/files/FileSystem.h"

namespace vks {
namespace {

size_t LastSeparator(std::string_view path) {
  for (size_t i = path.size(); i-- > 0;) {
    if (IsPathSeparator(path[i])) return i;
  }
  return std::string_view::npos;
}

bool HasSeparator(std::string_view path) {
  return LastSeparator(path) != std::string_view::npos;
}

}  // namespace

std::string FileSystem::ReadFile(const std::string& path) {
  std::unique_ptr<ReadableFile> file = OpenReadable(path);
  std::string data(static_cast<size_t>(file->Size()), '\0');
  // A file cut meanwhile reads as far as it goes.
  data.resize(file->ReadAt(0, {reinterpret_cast<uint8_t*>(data.data()), data.size()}));
  return data;
}

std::string JoinPath(std::string_view folder, std::string_view name) {
  std::string path(folder);
  if (!path.empty() && !IsPathSeparator(path.back())) path += kPathSeparator;
  path += name;
  return path;
}

std::string ParentFolder(std::string_view path) {
  size_t slash = LastSeparator(path);
  if (slash == std::string_view::npos) return {};
  return std::string(path.substr(0, slash == 0 ? 1 : slash));
}

bool CreateFolderPath(FileSystem& files, std::string_view path) {
  if (path.empty()) return false;
  std::string folder(path);
  if (IsPathSeparator(folder.back())) folder.pop_back();
  auto exists = [&] { return files.FolderExists(folder) || files.FileExists(folder); };
  if (folder.empty() || exists()) return true;  // "" was the root
  size_t last = LastSeparator(folder);
  if (last != std::string::npos) {
    std::string parent = folder.substr(0, last);
    if (HasSeparator(parent) && !CreateFolderPath(files, parent)) return false;
  }
  try {
    files.CreateFolder(folder);
    return true;
  } catch (const AutomationError&) {
    return exists();  // another process may have created it meanwhile
  }
}

bool LiegtIn(FileSystem& files, const std::string& path, const std::string& base) {
  // Resolved paths carry no ".", "..", doubled or trailing separators: one is inside the other when
  // it goes on after the other's last element.
  const std::string inner = files.Resolve(path);
  std::string outer = files.Resolve(base);
  if (outer.empty() || inner.empty()) return false;
  if (!IsPathSeparator(outer.back())) outer += kPathSeparator;
  return inner.size() > outer.size() && inner.starts_with(outer);
}

}  // namespace vks
