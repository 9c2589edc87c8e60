#include "adapters/win32/Win32RegistryBackend.h"

// After the registry types: windows.h names its own constants like ours.
#include <windows.h>

#include <algorithm>

#include "adapters/win32/Win32Path.h"
#include "platform/files/WindowsError.h"
#include "platform/settings/RegistryPath.h"

namespace vks {
namespace {

// Owns an open key.
class Key {
 public:
  Key() = default;
  ~Key() {
    if (key_) ::RegCloseKey(key_);
  }
  Key(const Key&) = delete;
  Key& operator=(const Key&) = delete;
  HKEY* out() { return &key_; }
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

AutomationError Failure(LSTATUS status, std::string_view path) {
  const int32_t number = status == ERROR_ACCESS_DENIED ? 70 : 75;
  return AutomationError(number, std::string(kRegistryErrorSource),
                         std::string(ErrorDescription(number)) + " (" + std::string(path) + ": " +
                             SystemErrorMessage(static_cast<uint32_t>(status)) + ")");
}

bool IsText(int32_t type) {
  return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

// A checked key path, its full name for messages, and the UTF-16 path below the root.
struct KeyPath {
  std::wstring wide;
  std::string name;
};

}  // namespace

Win32RegistryBackend::Win32RegistryBackend(std::string redirect) : redirect_(std::move(redirect)) {}

namespace {

// Opens the root (or its stand-in below HKEY_CURRENT_USER) for `access`.
LSTATUS OpenRoot(const std::string& redirect, ERegistryClassConstants root, REGSAM access,
                 Key& key) {
  const HKEY real = reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(root)));
  if (redirect.empty()) return ::RegOpenKeyExW(real, nullptr, 0, access, key.out());
  std::wstring stand_in;
  (void)win32::ToUtf16(redirect + "\\" + std::string(RegistryRootName(root)), stand_in);
  return ::RegCreateKeyExW(HKEY_CURRENT_USER, stand_in.c_str(), 0, nullptr, 0, access, nullptr,
                           key.out(), nullptr);
}

Result<KeyPath> Checked(ERegistryClassConstants root, std::string_view path) {
  auto segments = SplitKeyPath(path);
  if (!segments.ok()) return segments.error();
  KeyPath checked{{}, std::string(RegistryRootName(root))};
  if (!path.empty()) checked.name += "\\" + std::string(path);
  (void)win32::ToUtf16(path, checked.wide);
  return checked;
}

std::wstring WideName(std::string_view name) {
  std::wstring wide;
  (void)win32::ToUtf16(name, wide);
  return wide;
}

// Opens the key; a missing one gives ERROR_FILE_NOT_FOUND.
LSTATUS OpenKey(const std::string& redirect, ERegistryClassConstants root, const KeyPath& path,
                REGSAM access, Key& key) {
  Key base;
  LSTATUS status = OpenRoot(redirect, root, access, base);
  if (status != ERROR_SUCCESS) return status;
  return ::RegOpenKeyExW(base.get(), path.wide.c_str(), 0, access, key.out());
}

}  // namespace

Result<bool> Win32RegistryBackend::KeyExists(ERegistryClassConstants root, std::string_view path) {
  auto checked = Checked(root, path);
  if (!checked.ok()) return checked.error();
  Key key;
  LSTATUS status = OpenKey(redirect_, root, checked.value(), KEY_READ, key);
  if (status == ERROR_FILE_NOT_FOUND) return false;
  if (status != ERROR_SUCCESS) return Failure(status, checked->name);
  return true;
}

Result<bool> Win32RegistryBackend::CreateKey(ERegistryClassConstants root, std::string_view path) {
  auto checked = Checked(root, path);
  if (!checked.ok()) return checked.error();
  Key base, key;
  LSTATUS status = OpenRoot(redirect_, root, KEY_READ | KEY_WRITE, base);
  DWORD disposition = 0;
  if (status == ERROR_SUCCESS) {
    status = ::RegCreateKeyExW(base.get(), checked->wide.c_str(), 0, nullptr, 0,
                               KEY_READ | KEY_WRITE, nullptr, key.out(), &disposition);
  }
  if (status != ERROR_SUCCESS) return Failure(status, checked->name);
  return disposition == REG_CREATED_NEW_KEY;
}

Result<bool> Win32RegistryBackend::DeleteKey(ERegistryClassConstants root, std::string_view path) {
  auto checked = Checked(root, path);
  if (!checked.ok()) return checked.error();
  const auto refused = [&] {
    return AutomationError(70, std::string(kRegistryErrorSource),
                           std::string(ErrorDescription(70)) + " (" + checked->name + ")");
  };
  if (path.empty()) return refused();
  Key key;
  LSTATUS status = OpenKey(redirect_, root, checked.value(), KEY_READ, key);
  if (status == ERROR_FILE_NOT_FOUND) return false;
  if (status != ERROR_SUCCESS) return Failure(status, checked->name);
  DWORD subkeys = 0;
  status = ::RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr,
                              nullptr, nullptr, nullptr, nullptr, nullptr);
  if (status != ERROR_SUCCESS) return Failure(status, checked->name);
  if (subkeys > 0) return refused();
  Key base;
  status = OpenRoot(redirect_, root, KEY_READ | KEY_WRITE, base);
  if (status == ERROR_SUCCESS) status = ::RegDeleteKeyW(base.get(), checked->wide.c_str());
  if (status != ERROR_SUCCESS) return Failure(status, checked->name);
  return true;
}

Result<bool> Win32RegistryBackend::DeleteTree(ERegistryClassConstants root, std::string_view path) {
  auto checked = Checked(root, path);
  if (!checked.ok()) return checked.error();
  Key key;
  LSTATUS status = OpenKey(redirect_, root, checked.value(), KEY_ALL_ACCESS, key);
  if (status == ERROR_FILE_NOT_FOUND) return false;
  if (status == ERROR_SUCCESS) status = ::RegDeleteTreeW(key.get(), nullptr);
  // What is below goes first; the key itself only when it is not a root.
  if (status == ERROR_SUCCESS && !path.empty()) {
    Key base;
    status = OpenRoot(redirect_, root, KEY_READ | KEY_WRITE, base);
    if (status == ERROR_SUCCESS) status = ::RegDeleteKeyW(base.get(), checked->wide.c_str());
  }
  if (status != ERROR_SUCCESS) return Failure(status, checked->name);
  return true;
}

Result<std::optional<RegistryValue>> Win32RegistryBackend::GetValue(ERegistryClassConstants root,
                                                                    std::string_view path,
                                                                    std::string_view name) {
  if (auto error = CheckValueName(name)) return *error;
  auto checked = Checked(root, path);
  if (!checked.ok()) return checked.error();
  Key key;
  LSTATUS status = OpenKey(redirect_, root, checked.value(), KEY_QUERY_VALUE, key);
  if (status == ERROR_FILE_NOT_FOUND) return std::optional<RegistryValue>();
  if (status != ERROR_SUCCESS) return Failure(status, checked->name);
  const std::wstring wide_name = WideName(name);
  DWORD type = 0, size = 0;
  std::vector<uint8_t> bytes;
  // Another process may grow the value between the two calls.
  do {
    status = ::RegQueryValueExW(key.get(), wide_name.c_str(), nullptr, &type, nullptr, &size);
    if (status != ERROR_SUCCESS) break;
    bytes.resize(size);
    status = ::RegQueryValueExW(key.get(), wide_name.c_str(), nullptr, &type, bytes.data(), &size);
  } while (status == ERROR_MORE_DATA);
  if (status == ERROR_FILE_NOT_FOUND) return std::optional<RegistryValue>();
  if (status != ERROR_SUCCESS) return Failure(status, checked->name);
  bytes.resize(size);
  RegistryValue value{static_cast<int32_t>(type), std::move(bytes)};
  if (IsText(value.type)) {
    std::wstring text(value.data.size() / 2, L'\0');
    std::copy_n(value.data.data(), text.size() * 2, reinterpret_cast<uint8_t*>(text.data()));
    const std::string utf8 = win32::ToUtf8(text);
    value.data.assign(utf8.begin(), utf8.end());
  }
  return std::optional(std::move(value));
}

Result<bool> Win32RegistryBackend::SetValue(ERegistryClassConstants root, std::string_view path,
                                            std::string_view name, const RegistryValue& value) {
  if (auto error = CheckValueName(name)) return *error;
  if (auto error = CheckValueData(value)) return *error;
  auto checked = Checked(root, path);
  if (!checked.ok()) return checked.error();
  std::vector<uint8_t> bytes = value.data;
  if (IsText(value.type)) {
    std::wstring text;
    if (!win32::ToUtf16(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()),
                        text)) {
      return InvalidRegistryArgument("Text, der kein UTF-8 ist");
    }
    bytes.assign(reinterpret_cast<const uint8_t*>(text.data()),
                 reinterpret_cast<const uint8_t*>(text.data() + text.size()));
  }
  Key base, key;
  LSTATUS status = OpenRoot(redirect_, root, KEY_READ | KEY_WRITE, base);
  if (status == ERROR_SUCCESS) {
    status = ::RegCreateKeyExW(base.get(), checked->wide.c_str(), 0, nullptr, 0,
                               KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, key.out(), nullptr);
  }
  if (status != ERROR_SUCCESS) return Failure(status, checked->name);
  const std::wstring wide_name = WideName(name);
  const bool is_new = ::RegQueryValueExW(key.get(), wide_name.c_str(), nullptr, nullptr, nullptr,
                                         nullptr) == ERROR_FILE_NOT_FOUND;
  status = ::RegSetValueExW(key.get(), wide_name.c_str(), 0, static_cast<DWORD>(value.type),
                            bytes.data(), static_cast<DWORD>(bytes.size()));
  if (status != ERROR_SUCCESS) return Failure(status, checked->name);
  return is_new;
}

Result<bool> Win32RegistryBackend::DeleteValue(ERegistryClassConstants root, std::string_view path,
                                               std::string_view name) {
  if (auto error = CheckValueName(name)) return *error;
  auto checked = Checked(root, path);
  if (!checked.ok()) return checked.error();
  Key key;
  LSTATUS status = OpenKey(redirect_, root, checked.value(), KEY_SET_VALUE, key);
  if (status == ERROR_FILE_NOT_FOUND) return false;
  if (status == ERROR_SUCCESS) status = ::RegDeleteValueW(key.get(), WideName(name).c_str());
  if (status == ERROR_FILE_NOT_FOUND) return false;
  if (status != ERROR_SUCCESS) return Failure(status, checked->name);
  return true;
}

Result<std::optional<std::vector<std::string>>> Win32RegistryBackend::EnumerateSubkeys(
    ERegistryClassConstants root, std::string_view path) {
  auto checked = Checked(root, path);
  if (!checked.ok()) return checked.error();
  Key key;
  LSTATUS status = OpenKey(redirect_, root, checked.value(), KEY_READ, key);
  if (status == ERROR_FILE_NOT_FOUND) return std::optional<std::vector<std::string>>();
  if (status != ERROR_SUCCESS) return Failure(status, checked->name);
  std::vector<std::string> names;
  for (DWORD index = 0;; ++index) {
    wchar_t name[kMaxKeyNameChars + 1];
    DWORD length = kMaxKeyNameChars + 1;
    status = ::RegEnumKeyExW(key.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr);
    if (status == ERROR_NO_MORE_ITEMS) break;
    if (status != ERROR_SUCCESS) return Failure(status, checked->name);
    names.push_back(win32::ToUtf8(std::wstring_view(name, length)));
  }
  return std::optional(std::move(names));
}

Result<std::optional<std::vector<std::string>>> Win32RegistryBackend::EnumerateValues(
    ERegistryClassConstants root, std::string_view path) {
  auto checked = Checked(root, path);
  if (!checked.ok()) return checked.error();
  Key key;
  LSTATUS status = OpenKey(redirect_, root, checked.value(), KEY_QUERY_VALUE, key);
  if (status == ERROR_FILE_NOT_FOUND) return std::optional<std::vector<std::string>>();
  if (status != ERROR_SUCCESS) return Failure(status, checked->name);
  std::vector<std::string> names;
  std::wstring name(kMaxValueNameChars + 1, L'\0');
  for (DWORD index = 0;; ++index) {
    DWORD length = static_cast<DWORD>(name.size());
    status =
        ::RegEnumValueW(key.get(), index, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
    if (status == ERROR_NO_MORE_ITEMS) break;
    if (status != ERROR_SUCCESS) return Failure(status, checked->name);
    names.push_back(win32::ToUtf8(std::wstring_view(name.data(), length)));
  }
  return std::optional(std::move(names));
}

}  // namespace vks
