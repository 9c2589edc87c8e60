#include <string>

#include "platform/files/FileSystem.h"

namespace vks {

std::string JoinPath(std::string_view folder, std::string_view name) {
  std::string path(folder);
  if (!path.empty() && path.back() != '/') path += '/';
  path += name;
  return path;
}

std::string ParentFolder(std::string_view path) {
  size_t slash = path.rfind('/');
  if (slash == std::string_view::npos) return {};
  return std::string(path.substr(0, slash == 0 ? 1 : slash));
}

bool CreateFolderPath(FileSystem& files, std::string_view path) {
  if (path.empty()) return false;
  std::string folder(path);
  if (folder.back() == '/') folder.pop_back();
  auto exists = [&] { return files.FolderExists(folder) || files.FileExists(folder); };
  if (folder.empty() || exists()) return true;  // "" was the root
  size_t last = folder.rfind('/');
  if (last != std::string::npos) {
    std::string parent = folder.substr(0, last);
    if (parent.find('/') != std::string::npos && !CreateFolderPath(files, parent)) return false;
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
  if (outer.back() != '/') outer += '/';
  return inner.size() > outer.size() && inner.starts_with(outer);
}

}  // namespace vks
