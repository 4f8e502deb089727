#include "platform/file.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/overlapped.h"
#include "platform/syserror.h"

PlatformFile* fileCreate(const char* name, bool overlapped, uint32_t& error) {
  int fd = ::open(name, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) {
    error = systemErrorFromErrno(errno);
    return nullptr;
  }
  PlatformFile* file = new (std::nothrow) PlatformFile;
  if (!file) {
    ::close(fd);
    error = kErrorNotEnoughMemory;
    return nullptr;
  }
  file->fd = fd;
  file->overlapped = overlapped;
  error = 0;
  return file;
}

void fileClose(PlatformFile* file) {
  if (!file) return;
  if (file->fd >= 0) ::close(file->fd);
  delete file;
}

uint32_t fileWrite(PlatformFile* file, const uint8_t* data, uint32_t count, Overlapped* ov,
                   uint32_t& written) {
  written = 0;
  if (!file || file->fd < 0 || (file->overlapped && !ov)) return kErrorInvalidParameter;
  if (ov) overlappedBegin(ov);
  ssize_t n;
  do {
    if (file->overlapped) {
      off_t at = static_cast<off_t>((static_cast<uint64_t>(ov->offsetHigh) << 32) | ov->offset);
      n = ::pwrite(file->fd, data, count, at);
    } else {
      n = ::write(file->fd, data, count);
    }
  } while (n < 0 && errno == EINTR);
  uint32_t status = n < 0 ? systemErrorFromErrno(errno) : 0;
  if (n > 0) written = static_cast<uint32_t>(n);
  if (ov) overlappedFinish(ov, status, written);
  return status;
}

static uint32_t renameResult(int rc) { return rc == 0 ? 0 : systemErrorFromErrno(errno); }

uint32_t fileMoveReplace(const char* from, const char* to) { return renameResult(::rename(from, to)); }

uint32_t fileMove(const char* from, const char* to) {
  struct stat st;
  if (::lstat(to, &st) == 0) return kErrorFileExists;
  return renameResult(::rename(from, to));
}

uint32_t fileDelete(const char* name) { return renameResult(::unlink(name)); }
