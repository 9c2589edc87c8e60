#pragma once
// The registry editor's text files, in both of their versions:
//   REGEDIT4                               8-bit text (Windows-1252), hex(2)/hex(7) data in 8 bits
//   Windows Registry Editor Version 5.00   UTF-16LE with byte order mark, hex(2)/hex(7) in UTF-16LE
// A file is a header line, then per key "[HKEY_…\path]" followed by its values: "name" or @ (the
// default value), "=", and "text", dword:0000000a, hex:01,02 or hex(N):… (other types); "=-"
// deletes a value and "[-HKEY_…\path]" a key with everything below it.
#include <string>
#include <string_view>
#include <vector>

#include "platform/automation/Result.h"
#include "platform/settings/RegistryBackend.h"

namespace vks {

enum class RegFileVersion { Regedit4, Version5 };

inline constexpr std::string_view kRegedit4Header = "REGEDIT4";
inline constexpr std::string_view kVersion5Header = "Windows Registry Editor Version 5.00";

// A key to export: its root and path ("" for the whole root).
struct RegKeyName {
  ERegistryClassConstants root;
  std::string path;
};

// "HKCU\Software\X", "HKEY_LOCAL_MACHINE" …; error 5 naming the text when the root is unknown.
Result<RegKeyName> ParseRegKeyName(std::string_view text);
// "HKEY_CURRENT_USER\Software\X".
std::string FullKeyName(const RegKeyName& key);

// The file bytes for the given keys and everything below them. Error 5 when REGEDIT4 is asked for
// and a name or text has no Windows-1252 character; store errors as reported.
Result<std::string> WriteRegFile(RegistryBackend& registry, const std::vector<RegKeyName>& keys,
                                 RegFileVersion version);

// Reads the whole file first and applies it only when every line is understood (error 5 naming
// the line otherwise), so a bad file changes nothing. Returns the number of changes applied.
Result<int> ImportRegFile(RegistryBackend& registry, std::string_view bytes);

// UTF-8 and UTF-16LE, for the version 5 files and their hex(2)/hex(7) data.
std::string Utf8ToUtf16Le(std::string_view utf8);
Result<std::string> Utf16LeToUtf8(std::string_view bytes);

}  // namespace vks
