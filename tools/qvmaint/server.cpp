// The device socket: one poll loop serves every connection, the record
// sources and the timers of waiting copies and delayed replies.
#include "tools/qvmaint/server.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <deque>

#include "trace/byteview.h"

namespace {

volatile sig_atomic_t g_stop = 0;

void onSignal(int) { g_stop = 1; }

uint64_t nowMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

struct Connection {
  int id = 0;
  int fd = -1;
  std::vector<uint8_t> in;
  std::vector<uint8_t> out;
  size_t outSent = 0;
  long requests = 0;
  bool closing = false;
};

struct Delayed {
  uint64_t dueMs;
  Reply reply;
};

void putLe32(std::vector<uint8_t>& b, uint32_t v) {
  uint8_t w[4] = {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8),
                  static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 24)};
  b.insert(b.end(), w, w + 4);
}

Connection* findConnection(std::vector<Connection>& conns, int id) {
  for (Connection& c : conns)
    if (c.id == id && !c.closing) return &c;
  return nullptr;
}

void flushOut(Connection& c) {
  while (c.outSent < c.out.size()) {
    ssize_t n = send(c.fd, c.out.data() + c.outSent, c.out.size() - c.outSent, MSG_NOSIGNAL);
    if (n > 0) {
      c.outSent += static_cast<size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) break;
    c.closing = true;  // the peer has gone
    return;
  }
  if (c.outSent == c.out.size()) {
    c.out.clear();
    c.outSent = 0;
  } else if (c.outSent > (1u << 20)) {
    c.out.erase(c.out.begin(), c.out.begin() + static_cast<long>(c.outSent));
    c.outSent = 0;
  }
}

void sendReply(std::vector<Connection>& conns, const Reply& r) {
  Connection* c = findConnection(conns, r.conn);
  if (!c) return;
  putLe32(c->out, kFrameMagic);
  putLe32(c->out, r.tag);
  putLe32(c->out, r.status);
  putLe32(c->out, static_cast<uint32_t>(r.data.size()));
  c->out.insert(c->out.end(), r.data.begin(), r.data.end());
}

// Parses the whole frames in c.in into requests; false on a broken frame.
bool takeRequests(Connection& c, std::vector<Request>& reqs) {
  size_t off = 0;
  bool ok = true;
  for (;;) {
    ByteView v(c.in.data() + off, c.in.size() - off);
    if (v.size < kRequestHeaderSize) break;
    uint32_t inLen = v.le32(12);
    if (v.le32(0) != kFrameMagic || inLen > kMaxRequestInput) {
      ok = false;
      break;
    }
    if (v.size < kRequestHeaderSize + inLen) break;
    Request r;
    r.conn = c.id;
    r.tag = v.le32(4);
    r.ioctl = v.le32(8);
    r.capacity = v.le32(16);
    r.input.assign(v.data + kRequestHeaderSize, v.data + kRequestHeaderSize + inLen);
    reqs.push_back(std::move(r));
    off += kRequestHeaderSize + inLen;
  }
  c.in.erase(c.in.begin(), c.in.begin() + static_cast<long>(off));
  return ok;
}

bool peerIsUs(int fd) {
  struct ucred cred;
  socklen_t len = sizeof cred;
  if (getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &cred, &len) != 0) return false;
  return cred.uid == geteuid();
}

int openListener(const std::string& path, std::string& error) {
  if (path.size() >= sizeof(sockaddr_un{}.sun_path)) {
    error = "socket path too long: " + path;
    return -1;
  }
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);
  int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (fd < 0) {
    error = std::string("socket: ") + std::strerror(errno);
    return -1;
  }
  struct stat st;
  if (lstat(path.c_str(), &st) == 0) {
    // A socket nobody answers on is left over from an earlier run.
    int probe = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    bool alive = probe >= 0 && connect(probe, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0;
    if (probe >= 0) close(probe);
    if (alive || !S_ISSOCK(st.st_mode)) {
      error = alive ? "another stand-in serves " + path : path + " exists and is no socket";
      close(fd);
      return -1;
    }
    unlink(path.c_str());
  }
  mode_t old = umask(0177);  // the socket is born with mode 0600
  int rc = bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
  umask(old);
  if (rc != 0 || listen(fd, 16) != 0) {
    error = "bind " + path + ": " + std::strerror(errno);
    close(fd);
    return -1;
  }
  return fd;
}

}  // namespace

bool deviceDirectory(const std::string& dir, std::string& out, std::string& error) {
  out = dir;
  if (out.empty()) {
    const char* e = getenv("MARLOG_DEVICE_DIR");
    if (!e || !*e) e = getenv("XDG_RUNTIME_DIR");
    if (e && *e) {
      out = e;
    } else {
      char buf[64];
      std::snprintf(buf, sizeof buf, "/tmp/marlog-%u", static_cast<unsigned>(geteuid()));
      out = buf;
    }
  }
  if (mkdir(out.c_str(), 0700) != 0 && errno != EEXIST) {
    error = "cannot create " + out + ": " + std::strerror(errno);
    return false;
  }
  struct stat st;
  if (lstat(out.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
    error = out + " is not a directory";
    return false;
  }
  if (st.st_uid != geteuid() || (st.st_mode & 077) != 0) {
    error = out + " must belong to you and be closed to group and others (mode 0700)";
    return false;
  }
  return true;
}

int serverRun(StandIn& s, ReplaySource* replay, LoadSource* load, const ServerOptions& opt) {
  std::string dir, error;
  if (!deviceDirectory(opt.dir, dir, error)) {
    std::fprintf(stderr, "qvmaint: %s\n", error.c_str());
    return 1;
  }
  std::string path = dir + "/" + opt.name;
  int lfd = openListener(path, error);
  if (lfd < 0) {
    std::fprintf(stderr, "qvmaint: %s\n", error.c_str());
    return 1;
  }

  sigset_t block, waitMask;
  sigemptyset(&block);
  sigaddset(&block, SIGTERM);
  sigaddset(&block, SIGINT);
  sigaddset(&block, SIGHUP);
  sigprocmask(SIG_BLOCK, &block, &waitMask);
  sigdelset(&waitMask, SIGTERM);
  sigdelset(&waitMask, SIGINT);
  sigdelset(&waitMask, SIGHUP);
  struct sigaction sa{};
  sa.sa_handler = onSignal;
  sigaction(SIGTERM, &sa, nullptr);
  sigaction(SIGINT, &sa, nullptr);
  sigaction(SIGHUP, &sa, nullptr);
  signal(SIGPIPE, SIG_IGN);

  if (!opt.pidfile.empty()) {
    FILE* pf = std::fopen(opt.pidfile.c_str(), "w");
    if (pf) {
      std::fprintf(pf, "%ld\n", static_cast<long>(getpid()));
      std::fclose(pf);
    }
  }
  std::fprintf(stderr, "qvmaint: serving %s\n", path.c_str());

  std::vector<Connection> conns;
  std::deque<Delayed> delayed;
  std::vector<Reply> replies;
  std::vector<Request> reqs;
  std::vector<pollfd> fds;
  int nextId = 1;

  auto route = [&](uint64_t now) {
    for (Reply& r : replies) {
      if (opt.delayMs > 0)
        delayed.push_back(Delayed{now + static_cast<uint64_t>(opt.delayMs), std::move(r)});
      else
        sendReply(conns, r);
    }
    replies.clear();
    while (!delayed.empty() && delayed.front().dueMs <= now) {
      sendReply(conns, delayed.front().reply);
      delayed.pop_front();
    }
  };

  while (!g_stop) {
    uint64_t now = nowMs();
    if (replay) replayTick(*replay, s, now);
    if (load) loadTick(*load, s, now);
    standInServePending(s, now, replies);
    route(now);
    for (Connection& c : conns)
      if (!c.out.empty() && !c.closing) flushOut(c);
    for (size_t i = 0; i < conns.size();) {
      if (conns[i].closing) {
        flushOut(conns[i]);  // what was answered still goes out
        close(conns[i].fd);
        standInDropConnection(s, conns[i].id);
        conns.erase(conns.begin() + static_cast<long>(i));
      } else {
        ++i;
      }
    }

    uint64_t next = standInNextDeadline(s);
    if (replay && replayNextDue(*replay) < next) next = replayNextDue(*replay);
    if (load && loadNextDue(*load) < next) next = loadNextDue(*load);
    if (!delayed.empty() && delayed.front().dueMs < next) next = delayed.front().dueMs;
    long timeoutMs = 1000;
    if (next != UINT64_MAX) timeoutMs = next <= now ? 0 : (next - now < 1000 ? long(next - now) : 1000);

    fds.clear();
    fds.push_back(pollfd{lfd, POLLIN, 0});
    for (const Connection& c : conns)
      fds.push_back(pollfd{c.fd, static_cast<short>(POLLIN | (c.out.empty() ? 0 : POLLOUT)), 0});
    timespec ts{timeoutMs / 1000, (timeoutMs % 1000) * 1000000};
    int n = ppoll(fds.data(), fds.size(), &ts, &waitMask);
    if (n < 0) {
      if (errno == EINTR) continue;
      std::fprintf(stderr, "qvmaint: poll: %s\n", std::strerror(errno));
      break;
    }
    if (n == 0) continue;
    now = nowMs();

    for (size_t i = 1; i < fds.size(); ++i) {
      Connection& c = conns[i - 1];
      if (fds[i].revents & POLLOUT) flushOut(c);
      if (!(fds[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
      uint8_t buf[65536];
      for (;;) {
        ssize_t got = recv(c.fd, buf, sizeof buf, 0);
        if (got > 0) {
          c.in.insert(c.in.end(), buf, buf + got);
          continue;
        }
        if (got < 0 && errno == EINTR) continue;
        if (got == 0 || (errno != EAGAIN && errno != EWOULDBLOCK)) c.closing = true;
        break;
      }
      reqs.clear();
      if (!takeRequests(c, reqs)) c.closing = true;
      for (const Request& r : reqs) {
        if (c.closing) break;
        c.requests += 1;
        if (opt.dropAfter > 0 && c.requests >= opt.dropAfter) {
          c.closing = true;  // fault injection: this request is never answered
          break;
        }
        standInRequest(s, r, now, replies);
      }
      route(now);
    }

    if (fds[0].revents & POLLIN) {
      for (;;) {
        int cfd = accept4(lfd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (cfd < 0) break;
        if (!peerIsUs(cfd)) {
          close(cfd);
          continue;
        }
        Connection c;
        c.id = nextId++;
        c.fd = cfd;
        conns.push_back(std::move(c));
      }
    }
  }

  for (Connection& c : conns) close(c.fd);
  close(lfd);
  unlink(path.c_str());
  if (!opt.pidfile.empty()) unlink(opt.pidfile.c_str());
  std::fprintf(stderr, "qvmaint: %llu records dropped, stopped\n",
               static_cast<unsigned long long>(s.ring.dropped));
  return 0;
}
