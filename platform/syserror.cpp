#include "platform/syserror.h"

#include <cerrno>

uint32_t systemErrorFromErrno(int err) {
  switch (err) {
    case 0: return kErrorSuccess;
    case ENOENT: case ECONNREFUSED: return kErrorFileNotFound;
    case ENOTDIR: return kErrorPathNotFound;
    case EACCES: case EPERM: case EISDIR: case EROFS: return kErrorAccessDenied;
    case ENOMEM: return kErrorNotEnoughMemory;
    case EEXIST: return kErrorFileExists;
    case EINVAL: return kErrorInvalidParameter;
    case EPIPE: case ECONNRESET: case ENOTCONN: return kErrorBrokenPipe;
    case ENOSPC: case EDQUOT: case EFBIG: return kErrorDiskFull;
    case ENAMETOOLONG: return kErrorFilenameTooLong;
    default: return kErrorGenFailure;
  }
}

static thread_local uint32_t t_lastError = 0;
uint32_t lastSystemError() { return t_lastError; }
void setLastSystemError(uint32_t code) { t_lastError = code; }
