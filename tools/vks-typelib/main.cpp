// vks-typelib DESCRIPTION.xml OUT.tlb OUT.h: writes the type library and the C++ declarations of
// the interfaces from the one interface description. Runs at build time (under Wine on Linux).
#include <windows.h>

#include <objbase.h>
#include <shellapi.h>

#include <cstdio>
#include <exception>
#include <string>

#include "adapters/com/InterfaceHeaderWriter.h"
#include "adapters/com/TypeLibraryDescription.h"
#include "adapters/com/TypeLibraryWriter.h"
#include "adapters/com/WideText.h"

namespace {

std::string ReadFile(const wchar_t* path) {
  FILE* f = _wfopen(path, L"rb");
  if (!f) throw std::runtime_error("cannot open " + vks::com::Narrow(path));
  std::string text;
  char buffer[65536];
  for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;) text.append(buffer, n);
  std::fclose(f);
  return text;
}

// Writes only when the text changed, so that a rebuild does not recompile what includes it.
void WriteFileIfChanged(const wchar_t* path, const std::string& text) {
  try {
    if (ReadFile(path) == text) return;
  } catch (const std::exception&) {
  }
  FILE* f = _wfopen(path, L"wb");
  if (!f || std::fwrite(text.data(), 1, text.size(), f) != text.size() || std::fclose(f) != 0)
    throw std::runtime_error("cannot write " + vks::com::Narrow(path));
}

}  // namespace

int main() {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (argc != 4) {
    std::fprintf(stderr, "usage: vks-typelib DESCRIPTION.xml OUT.tlb OUT.h\n");
    return 2;
  }
  try {
    vks::com::TypeLibraryDescription library =
        vks::com::ReadTypeLibraryDescription(ReadFile(argv[1]));
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
      throw std::runtime_error("COM does not start");
    DeleteFileW(argv[2]);
    vks::com::WriteTypeLibrary(library, argv[2]);
    CoUninitialize();
    WriteFileIfChanged(argv[3], vks::com::WriteInterfaceHeader(library));
  } catch (const std::exception& e) {
    std::fprintf(stderr, "vks-typelib: %s: %s\n", vks::com::Narrow(argv[1]).c_str(), e.what());
    return 1;
  }
  return 0;
}
