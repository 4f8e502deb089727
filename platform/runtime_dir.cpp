#include "platform/runtime_dir.h"

#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

std::string runtimeDirectory() {
  const char* d = std::getenv("MARLOG_DEVICE_DIR");
  if (d && *d) return d;
  d = std::getenv("XDG_RUNTIME_DIR");
  if (d && *d) return d;
  std::string dir = "/tmp/marlog-" + std::to_string(::getuid());
  ::mkdir(dir.c_str(), 0700);
  struct stat st;
  // Another user's directory, or one others may write to, could be used to
  // spoof the device: refuse it.
  if (::lstat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::getuid() ||
      (st.st_mode & 077) != 0)
    return std::string();
  return dir;
}
