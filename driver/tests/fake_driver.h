// A small in-test maintenance driver speaking the device protocol, and
// helpers to run program code that may end through terminate().
#pragma once

#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <mutex>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "control/diag.h"
#include "driver/driver.h"
#include "driver/raw_file.h"
#include "driver/request_block.h"
#include "platform/device.h"
#include "trace/record.h"

namespace fake {

inline uint32_t le32(const uint8_t* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
inline void putLe32(std::vector<uint8_t>& v, uint32_t x) {
  for (int i = 0; i < 4; ++i) v.push_back(static_cast<uint8_t>(x >> (8 * i)));
}

struct Request {
  uint32_t tag = 0, code = 0, capacity = 0;
  std::vector<uint8_t> input;
  uint32_t word(int i) const { return input.size() >= size_t(i * 4 + 4) ? le32(input.data() + i * 4) : 0; }
};

// One text record (message type 1) of a driver; sequence numbers as given.
inline std::vector<uint8_t> textRecord(uint16_t driver, const std::string& text, uint32_t seq,
                                       uint16_t typeWord = 0x0101) {
  DebugRecord r;
  r.timeLow = 1000;
  r.length = static_cast<uint16_t>(text.size() + 1);
  r.driverId = driver;
  r.typeWord = typeWord;
  r.sequence = seq;
  std::vector<uint8_t> out(recordLength(r.length), 0);
  recordWriteHeader(r, out.data());
  std::memcpy(out.data() + kRecordHeaderSize, text.c_str(), text.size());
  return out;
}

// The server: accepts connections on <dir>/Norwin_QVMAINT and hands every
// request to the handler, which answers through reply() now or later.
struct Server {
  std::string dir, path;
  int listenFd = -1, clientFd = -1;
  std::thread thread;
  std::mutex mutex;
  std::vector<Request> seen;
  std::function<void(Server&, const Request&)> handler;
  bool stopping = false;
  int wake[2] = {-1, -1};

  explicit Server(std::function<void(Server&, const Request&)> h) : handler(std::move(h)) {
    char tmpl[] = "/tmp/marlog-fake-XXXXXX";
    dir = mkdtemp(tmpl);
    path = dir + "/Norwin_QVMAINT";
    setenv("MARLOG_DEVICE_DIR", dir.c_str(), 1);
    listenFd = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    std::snprintf(addr.sun_path, sizeof addr.sun_path, "%s", path.c_str());
    if (bind(listenFd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || listen(listenFd, 4) != 0)
      std::abort();
    if (pipe(wake) != 0) std::abort();
    thread = std::thread([this] { run(); });
  }
  ~Server() {
    stopping = true;
    if (write(wake[1], "x", 1) != 1) {}
    thread.join();
    if (clientFd >= 0) close(clientFd);
    close(listenFd);
    close(wake[0]);
    close(wake[1]);
    unlink(path.c_str());
    std::string cmd = "rm -rf '" + dir + "'";
    if (system(cmd.c_str()) != 0) {}
  }

  void reply(uint32_t tag, uint32_t status, const std::vector<uint8_t>& out) {
    std::vector<uint8_t> f;
    putLe32(f, kFrameMagic);
    putLe32(f, tag);
    putLe32(f, status);
    putLe32(f, static_cast<uint32_t>(out.size()));
    f.insert(f.end(), out.begin(), out.end());
    std::lock_guard<std::mutex> lock(mutex);
    if (clientFd >= 0 && send(clientFd, f.data(), f.size(), MSG_NOSIGNAL) != ssize_t(f.size())) {}
  }
  void drop() {
    std::lock_guard<std::mutex> lock(mutex);
    if (clientFd >= 0) shutdown(clientFd, SHUT_RDWR);
  }
  std::vector<Request> requests() {
    std::lock_guard<std::mutex> lock(mutex);
    return seen;
  }

 private:
  bool readFully(uint8_t* p, size_t n) {
    while (n) {
      ssize_t got = recv(clientFd, p, n, 0);
      if (got <= 0) return false;
      p += got;
      n -= size_t(got);
    }
    return true;
  }
  void run() {
    while (!stopping) {
      pollfd fds[2] = {{wake[0], POLLIN, 0}, {clientFd >= 0 ? clientFd : listenFd, POLLIN, 0}};
      if (poll(fds, 2, -1) <= 0 || fds[0].revents) return;
      if (clientFd < 0) {
        int fd = accept(listenFd, nullptr, nullptr);
        std::lock_guard<std::mutex> lock(mutex);
        clientFd = fd;
        continue;
      }
      uint8_t h[kFrameHeaderSize];
      Request r;
      if (!readFully(h, sizeof h)) {
        std::lock_guard<std::mutex> lock(mutex);
        close(clientFd);
        clientFd = -1;
        continue;
      }
      r.tag = le32(h + 4);
      r.code = le32(h + 8);
      r.capacity = le32(h + 16);
      r.input.resize(le32(h + 12));
      if (!r.input.empty() && !readFully(r.input.data(), r.input.size())) continue;
      {
        std::lock_guard<std::mutex> lock(mutex);
        seen.push_back(r);
      }
      handler(*this, r);
    }
  }
};

// Runs f; returns the code terminate() was called with, or -1 when f
// returned. Cleans up what terminate() would have.
inline jmp_buf& jumpTarget() {
  static jmp_buf target;
  return target;
}
inline void jumpHook(int code) { longjmp(jumpTarget(), code + 1000); }

inline int runProgram(const std::function<void()>& f) {
  setTerminateHook(jumpHook);
  int rc = setjmp(jumpTarget());
  int code = -1;
  if (rc == 0)
    f();
  else
    code = rc - 1000;
  setTerminateHook(nullptr);
  closeDevice();
  rawFileClose();
  queReleaseAll();
  return code;
}

// Collects what the program writes to standard error meanwhile.
struct CapturedStderr {
  int saved = -1;
  std::string file;
  CapturedStderr() {
    char tmpl[] = "/tmp/marlog-err-XXXXXX";
    int fd = mkstemp(tmpl);
    file = tmpl;
    fflush(stderr);
    saved = dup(2);
    dup2(fd, 2);
    close(fd);
  }
  std::string text() {
    fflush(stderr);
    FILE* f = fopen(file.c_str(), "rb");
    std::string s;
    char buf[4096];
    size_t n;
    while (f && (n = fread(buf, 1, sizeof buf, f)) > 0) s.append(buf, n);
    if (f) fclose(f);
    return s;
  }
  ~CapturedStderr() {
    dup2(saved, 2);
    close(saved);
    unlink(file.c_str());
  }
};

inline std::string readFile(const std::string& name) {
  FILE* f = fopen(name.c_str(), "rb");
  if (!f) return "<missing>";
  std::string s;
  char buf[4096];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, f)) > 0) s.append(buf, n);
  fclose(f);
  return s;
}

}  // namespace fake
