#pragma once
// The server's registration for the current user alone (below HKEY_CURRENT_USER\Software\Classes,
// no administrator needed), read from the type library the program carries:
//   <Lib>.<Class>          (default) <Lib>.<Class>, Clsid, CurVer <Lib>.<Class>.<major>
//   <Lib>.<Class>.<major>  (default) <Lib>.<Class>, Clsid
//   CLSID\{class}          (default), LocalServer32 "<exe>", ProgID, VersionIndependentProgID,
//                          TypeLib, Version, Programmable
//   Interface\{iid}        (default) name, ProxyStubClsid32 and ProxyStubClsid (the automation
//                          marshaller for dual interfaces, the dispatch one for event interfaces),
//                          TypeLib with Version
//   TypeLib\{lib}\<major>.<minor>  (default) help string, 0\win32 and 0\win64 the exe, FLAGS,
//                          HELPDIR
// for each creatable class and each interface of the library.
#include <windows.h>

#include <string>
#include <vector>

namespace vks::com {

// The keys below Software\Classes that the registration writes (each with
// everything below it), in the order written.
std::vector<std::wstring> RegistrierteSchluessel();

// Writes the registration for the server `exe` (full path) below `wurzel`\Software\Classes
// (HKEY_CURRENT_USER; HKEY_LOCAL_MACHINE only where the platform reads no per-user classes). Throws
// AutomationError naming the key that could not be written; what was written before stays.
void RegistriereServer(const std::wstring& exe, HKEY wurzel = HKEY_CURRENT_USER);

// Removes every key that RegistriereServer writes; keys that are missing are no error. Throws
// AutomationError naming a key that could not be removed.
void EntferneRegistrierung(HKEY wurzel = HKEY_CURRENT_USER);

}  // namespace vks::com
