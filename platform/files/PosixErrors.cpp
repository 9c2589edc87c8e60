#include <cerrno>

#include "platform/files/WindowsError.h"

namespace vks {

uint32_t WindowsErrorFromErrno(int err) {
  using namespace winerror;
  switch (err) {
    case 0:
      return kSuccess;
    case ENOENT:
      return kFileNotFound;
    case ENOTDIR:
      return kPathNotFound;
    case EMFILE:
    case ENFILE:
      return kTooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EISDIR:
      return kAccessDenied;
    case EBADF:
      return kInvalidHandle;
    case ENOMEM:
      return kNotEnoughMemory;
    case EROFS:
      return kWriteProtect;
    case ENXIO:
    case ENODEV:
      return kNotReady;
    case EBUSY:
    case ETXTBSY:
      return kSharingViolation;
    case EAGAIN:
      return kLockViolation;
    case EOPNOTSUPP:
      return kNotSupported;
    case EINVAL:
      return kInvalidParameter;
    case ENOSPC:
    case EDQUOT:
      return kDiskFull;
    case EILSEQ:
      return kInvalidName;
    case ENOTEMPTY:
      return kDirNotEmpty;
    case EEXIST:
      return kAlreadyExists;
    case ENAMETOOLONG:
      return kFilenameExcedRange;
    case EFBIG:
    case EOVERFLOW:
      return kFileTooLarge;
    case EIO:
      return kIoDevice;
    case ELOOP:
      return kCantResolveFilename;
    default:
      return kGenFailure;
  }
}

}  // namespace vks
