#include "platform/device.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <new>
#include <pthread.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

#include "platform/overlapped.h"
#include "platform/syserror.h"

namespace {

struct PendingRequest {
  uint32_t tag = 0;
  uint8_t* out = nullptr;
  uint32_t capacity = 0;
  Overlapped* ov = nullptr;
};

constexpr int kMaxPending = 64;

}  // namespace

struct PlatformDevice {
  int fd = -1;
  std::mutex sendMutex;  // one whole frame at a time (the remark thread sends too)
  std::mutex tableMutex;
  PendingRequest pending[kMaxPending];
  int pendingCount = 0;
  uint32_t nextTag = 1;
  bool broken = false;  // connection gone: every later request fails
  std::thread reader;
};

static void putLe32(uint8_t* p, uint32_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
  p[2] = static_cast<uint8_t>(v >> 16);
  p[3] = static_cast<uint8_t>(v >> 24);
}
static uint32_t getLe32(const uint8_t* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

bool devicePath(const char* name, char* path, size_t size) {
  const char* base = name;
  if (std::strncmp(name, "\\\\.\\", 4) == 0) base = name + 4;
  if (*base == 0 || std::strchr(base, '/') || std::strchr(base, '\\')) return false;
  const char* dir = std::getenv("MARLOG_DEVICE_DIR");
  if (!dir || !*dir) dir = std::getenv("XDG_RUNTIME_DIR");
  int n;
  if (dir && *dir)
    n = std::snprintf(path, size, "%s/%s", dir, base);
  else
    n = std::snprintf(path, size, "/tmp/marlog-%u/%s", static_cast<unsigned>(::getuid()), base);
  return n > 0 && static_cast<size_t>(n) < size;
}

// The directory that holds the socket must be the user's alone, or another
// user could stand in for the driver.
static uint32_t checkDirectory(const char* path) {
  char dir[sizeof(sockaddr_un::sun_path)];
  std::snprintf(dir, sizeof dir, "%s", path);
  char* slash = std::strrchr(dir, '/');
  if (!slash) return 0;
  *slash = 0;
  struct stat st;
  if (::stat(dir[0] ? dir : "/", &st) != 0) return systemErrorFromErrno(errno);
  if (!S_ISDIR(st.st_mode)) return kErrorPathNotFound;
  if (st.st_uid != ::getuid() || (st.st_mode & 077) != 0) return kErrorAccessDenied;
  return 0;
}

// Finishes every pending request with the error and refuses later ones.
static void failAll(PlatformDevice* device, uint32_t error) {
  std::lock_guard<std::mutex> lock(device->tableMutex);
  device->broken = true;
  for (int i = 0; i < device->pendingCount; ++i) overlappedFinish(device->pending[i].ov, error, 0);
  device->pendingCount = 0;
}

static bool readFully(int fd, uint8_t* buf, size_t n) {
  while (n > 0) {
    ssize_t got = ::recv(fd, buf, n, 0);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return false;
    buf += got;
    n -= static_cast<size_t>(got);
  }
  return true;
}

static bool discard(int fd, size_t n) {
  uint8_t scratch[4096];
  while (n > 0) {
    size_t step = n < sizeof scratch ? n : sizeof scratch;
    if (!readFully(fd, scratch, step)) return false;
    n -= step;
  }
  return true;
}

static void readerThread(PlatformDevice* device) {
  for (;;) {
    uint8_t header[kReplyHeaderSize];
    if (!readFully(device->fd, header, sizeof header)) break;
    if (getLe32(header) != kFrameMagic) break;  // lost framing: nothing after it can be trusted
    uint32_t tag = getLe32(header + 4), status = getLe32(header + 8), length = getLe32(header + 12);
    PendingRequest req;
    bool found = false;
    {
      std::lock_guard<std::mutex> lock(device->tableMutex);
      for (int i = 0; i < device->pendingCount; ++i) {
        if (device->pending[i].tag == tag) {
          req = device->pending[i];
          device->pending[i] = device->pending[--device->pendingCount];
          found = true;
          break;
        }
      }
    }
    if (!found) {
      if (!discard(device->fd, length)) break;
      continue;
    }
    // A reply longer than the buffer is cut to it; the rest is read away.
    uint32_t take = length < req.capacity ? length : req.capacity;
    if (take > 0 && !readFully(device->fd, req.out, take)) {
      overlappedFinish(req.ov, kErrorBrokenPipe, 0);
      break;
    }
    if (length > take && !discard(device->fd, length - take)) {
      overlappedFinish(req.ov, kErrorBrokenPipe, 0);
      break;
    }
    overlappedFinish(req.ov, status, take);
  }
  failAll(device, kErrorBrokenPipe);
}

PlatformDevice* deviceOpen(const char* name, uint32_t& error) {
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  if (!devicePath(name, addr.sun_path, sizeof addr.sun_path)) {
    error = kErrorFileNotFound;
    return nullptr;
  }
  if ((error = checkDirectory(addr.sun_path)) != 0) {
    if (error == kErrorPathNotFound) error = kErrorFileNotFound;
    return nullptr;
  }
  int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) {
    error = systemErrorFromErrno(errno);
    return nullptr;
  }
  if (::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
    error = systemErrorFromErrno(errno);
    ::close(fd);
    return nullptr;
  }
  ucred cred{};
  socklen_t credLength = sizeof cred;
  if (::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &cred, &credLength) != 0 || cred.uid != ::getuid()) {
    error = kErrorAccessDenied;
    ::close(fd);
    return nullptr;
  }
  PlatformDevice* device = new (std::nothrow) PlatformDevice;
  if (!device) {
    ::close(fd);
    error = kErrorNotEnoughMemory;
    return nullptr;
  }
  device->fd = fd;
  // The reader never handles signals: they belong to the main thread, whose
  // handlers end the program (and join this thread).
  sigset_t all, old;
  sigfillset(&all);
  pthread_sigmask(SIG_SETMASK, &all, &old);
  device->reader = std::thread(readerThread, device);
  pthread_sigmask(SIG_SETMASK, &old, nullptr);
  error = 0;
  return device;
}

void deviceClose(PlatformDevice* device) {
  if (!device) return;
  ::shutdown(device->fd, SHUT_RDWR);
  if (device->reader.joinable()) {
    if (device->reader.get_id() == std::this_thread::get_id())
      device->reader.detach();
    else
      device->reader.join();
  }
  {
    std::lock_guard<std::mutex> lock(device->sendMutex);
    ::close(device->fd);
    device->fd = -1;
  }
  // The remark thread may still hold the device; it is kept (failing every
  // request) until the next device is closed.
  static PlatformDevice* retired = nullptr;
  delete retired;
  retired = device;
}

static bool sendFully(int fd, const uint8_t* buf, size_t n) {
  while (n > 0) {
    ssize_t sent = ::send(fd, buf, n, MSG_NOSIGNAL);
    if (sent < 0 && errno == EINTR) continue;
    if (sent <= 0) return false;
    buf += sent;
    n -= static_cast<size_t>(sent);
  }
  return true;
}

uint32_t deviceIoControl(PlatformDevice* device, uint32_t code, const void* in, uint32_t inLength,
                         void* out, uint32_t outCapacity, Overlapped* ov) {
  if (!device || !ov || (inLength && !in) || (outCapacity && !out)) return kErrorInvalidParameter;
  overlappedBegin(ov);
  uint32_t tag;
  {
    std::lock_guard<std::mutex> lock(device->tableMutex);
    if (device->broken || device->fd < 0) return kErrorBrokenPipe;
    if (device->pendingCount == kMaxPending) return kErrorNoSystemResources;
    tag = device->nextTag++;
    if (device->nextTag == 0) device->nextTag = 1;
    device->pending[device->pendingCount++] = {tag, static_cast<uint8_t*>(out), outCapacity, ov};
  }
  uint8_t header[kFrameHeaderSize];
  putLe32(header, kFrameMagic);
  putLe32(header + 4, tag);
  putLe32(header + 8, code);
  putLe32(header + 12, inLength);
  putLe32(header + 16, outCapacity);
  bool sent;
  {
    std::lock_guard<std::mutex> lock(device->sendMutex);
    sent = sendFully(device->fd, header, sizeof header) &&
           (inLength == 0 || sendFully(device->fd, static_cast<const uint8_t*>(in), inLength));
  }
  if (sent) return kErrorIoPending;
  // Not sent: take the entry back unless the reader already failed it.
  std::lock_guard<std::mutex> lock(device->tableMutex);
  for (int i = 0; i < device->pendingCount; ++i) {
    if (device->pending[i].tag == tag) {
      device->pending[i] = device->pending[--device->pendingCount];
      return kErrorBrokenPipe;
    }
  }
  // The reader finished it already; report it the same way the wait would.
  ov->finished.store(false, std::memory_order_release);
  return kErrorBrokenPipe;
}
