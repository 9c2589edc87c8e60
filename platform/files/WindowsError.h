#pragma once
// Windows error codes, the one vocabulary of file failures on both platforms. The file object
// reports its platform failures the way the host knows them (number and system text); the POSIX
// build translates errno to the code that means the same.
#include <cstdint>
#include <string>

namespace vks {

namespace winerror {
inline constexpr uint32_t kSuccess = 0;
inline constexpr uint32_t kFileNotFound = 2;
inline constexpr uint32_t kPathNotFound = 3;
inline constexpr uint32_t kTooManyOpenFiles = 4;
inline constexpr uint32_t kAccessDenied = 5;
inline constexpr uint32_t kInvalidHandle = 6;
inline constexpr uint32_t kNotEnoughMemory = 8;
inline constexpr uint32_t kInvalidDrive = 15;
inline constexpr uint32_t kWriteProtect = 19;
inline constexpr uint32_t kNotReady = 21;
inline constexpr uint32_t kGenFailure = 31;
inline constexpr uint32_t kSharingViolation = 32;
inline constexpr uint32_t kLockViolation = 33;
inline constexpr uint32_t kHandleDiskFull = 39;
inline constexpr uint32_t kNotSupported = 50;
inline constexpr uint32_t kInvalidParameter = 87;
inline constexpr uint32_t kDiskFull = 112;
inline constexpr uint32_t kInvalidName = 123;
inline constexpr uint32_t kNegativeSeek = 131;
inline constexpr uint32_t kDirNotEmpty = 145;
inline constexpr uint32_t kBadPathname = 161;
inline constexpr uint32_t kAlreadyExists = 183;
inline constexpr uint32_t kFilenameExcedRange = 206;
inline constexpr uint32_t kFileTooLarge = 223;
inline constexpr uint32_t kDirectoryName = 267;
inline constexpr uint32_t kIoDevice = 1117;
inline constexpr uint32_t kCantResolveFilename = 1921;
}  // namespace winerror

// The Windows code for an errno value (POSIX build only, PosixErrors.cpp); 0 for 0,
// ERROR_GEN_FAILURE for anything without a match.
uint32_t WindowsErrorFromErrno(int err);

// The system's message text for a code, as the German message table words it, at most 256
// characters; "Unbekannter Fehler." for a code without text.
std::string SystemErrorMessage(uint32_t code);

}  // namespace vks
