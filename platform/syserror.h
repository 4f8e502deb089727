// System error codes as the program reports them (the Windows numbering the
// messages and the maintenance driver use), and the mapping from errno.
#pragma once

#include <cstdint>

constexpr uint32_t kErrorSuccess = 0;
constexpr uint32_t kErrorFileNotFound = 2;
constexpr uint32_t kErrorPathNotFound = 3;
constexpr uint32_t kErrorAccessDenied = 5;
constexpr uint32_t kErrorNotEnoughMemory = 8;
constexpr uint32_t kErrorGenFailure = 31;
constexpr uint32_t kErrorFileExists = 80;
constexpr uint32_t kErrorInvalidParameter = 87;
constexpr uint32_t kErrorBrokenPipe = 109;
constexpr uint32_t kErrorDiskFull = 112;
constexpr uint32_t kErrorFilenameTooLong = 206;
constexpr uint32_t kErrorIoIncomplete = 996;
constexpr uint32_t kErrorIoPending = 997;
constexpr uint32_t kErrorNoSystemResources = 1450;

// The system error code for an errno value.
uint32_t systemErrorFromErrno(int err);

// The error code of the calling thread's last failed platform call.
uint32_t lastSystemError();
void setLastSystemError(uint32_t code);
