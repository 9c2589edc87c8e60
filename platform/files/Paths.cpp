#include <algorithm>
#include <filesystem>
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
  namespace fs = std::filesystem;
  fs::path inner(files.Resolve(path));
  fs::path outer(files.Resolve(base));
  if (outer.empty() || inner.empty()) return false;
  auto [end_outer, end_inner] =
      std::mismatch(outer.begin(), outer.end(), inner.begin(), inner.end());
  // A trailing separator leaves an empty last element on the base.
  if (end_outer != outer.end() && !(end_outer->empty() && std::next(end_outer) == outer.end()))
    return false;
  return end_inner != inner.end() && !end_inner->empty();
}

}  // namespace vks
