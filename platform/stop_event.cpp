// The stop event as a small file in the runtime directory. Every instance
// holds a shared flock on it; whoever opens it and finds no other holder
// (an exclusive lock succeeds) resets it, so a signal left by instances that
// have all ended never stops a later run. Signalled = the file is not empty.
#include "platform/stop_event.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "platform/runtime_dir.h"

static int g_fd = -1;

bool stopEventOpen() {
  std::string dir = runtimeDirectory();
  if (dir.empty()) return false;
  std::string path = dir + "/KORVEL_MAINT_MARLOG_STOOP";
  int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) return false;
  if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
    // No other holder: the event is new, hence not signalled.
    if (::ftruncate(fd, 0) != 0) {
      ::close(fd);
      return false;
    }
  }
  if (::flock(fd, LOCK_SH) != 0) {
    ::close(fd);
    return false;
  }
  g_fd = fd;
  return true;
}

void stopEventSignal() {
  if (g_fd < 0) return;
  const char one = '1';
  ssize_t rc = ::pwrite(g_fd, &one, 1, 0);
  (void)rc;
}

bool stopEventSignalled() {
  if (g_fd < 0) return false;
  struct stat st;
  return ::fstat(g_fd, &st) == 0 && st.st_size > 0;
}

void stopEventClose() {
  if (g_fd >= 0) ::close(g_fd);
  g_fd = -1;
}
