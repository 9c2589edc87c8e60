#pragma once
// What the platform the tests run on cannot do, for the few tests that need it.

namespace vks::testing {

// std::filesystem makes symbolic links (the Windows build's C++ library does not).
bool CanMakeSymbolicLinks();

// File names follow Windows' rules: letter case ignored, some names (CON, a trailing dot, <>:"|?*)
// refused.
bool WindowsFileNames();

// The Windows build runs under Wine, which tells no handle that its file was deleted meanwhile,
// refuses to rename over a file that is open, and lists registry keys and values in an order of its
// own.
bool RunsUnderWine();

}  // namespace vks::testing
