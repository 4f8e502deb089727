// qvprobe: a small client of the stand-in maintenance driver for tests and
// benchmarks. It sends single requests and prints the replies, or drains the
// stand-in with waiting copy requests and reports rate and sequence gaps.
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "trace/byteview.h"
#include "trace/record.h"

namespace {

const char kUsage[] =
    "usage: qvprobe [--dir D] [--name NAME] COMMAND ...\n"
    "  list | bufsize | copy [CAP] | flush | get-mask ID | set-mask ID MASK\n"
    "  write TEXT | raw IOCTL CMD A B C CAP\n"
    "  drain N [THRESHOLD PERIOD OUTSTANDING]: take N records with waiting copies\n";

int g_fd = -1;
uint32_t g_tag = 0;

void put32(std::vector<uint8_t>& b, uint32_t v) {
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

bool sendAll(const std::vector<uint8_t>& b) {
  size_t off = 0;
  while (off < b.size()) {
    ssize_t n = send(g_fd, b.data() + off, b.size() - off, MSG_NOSIGNAL);
    if (n <= 0) return false;
    off += static_cast<size_t>(n);
  }
  return true;
}

bool recvAll(uint8_t* p, size_t n) {
  while (n) {
    ssize_t got = recv(g_fd, p, n, 0);
    if (got <= 0) return false;
    p += got;
    n -= static_cast<size_t>(got);
  }
  return true;
}

uint32_t issue(uint32_t ioctl, const std::vector<uint8_t>& input, uint32_t capacity) {
  std::vector<uint8_t> f;
  uint32_t tag = ++g_tag;
  put32(f, 0x544D5651);
  put32(f, tag);
  put32(f, ioctl);
  put32(f, static_cast<uint32_t>(input.size()));
  put32(f, capacity);
  f.insert(f.end(), input.begin(), input.end());
  if (!sendAll(f)) {
    std::fprintf(stderr, "qvprobe: send failed\n");
    std::exit(3);
  }
  return tag;
}

// Waits for the next reply frame; false when the connection closed.
bool nextReply(uint32_t& tag, uint32_t& status, std::vector<uint8_t>& data) {
  uint8_t h[16];
  if (!recvAll(h, sizeof h)) return false;
  ByteView v(h, sizeof h);
  if (v.le32(0) != 0x544D5651) return false;
  tag = v.le32(4);
  status = v.le32(8);
  data.resize(v.le32(12));
  return recvAll(data.data(), data.size());
}

std::vector<uint8_t> debugInput(uint32_t cmd, uint32_t a, uint32_t b, uint32_t c) {
  std::vector<uint8_t> in;
  put32(in, cmd);
  put32(in, a);
  put32(in, b);
  put32(in, c);
  return in;
}

void printRecords(const std::vector<uint8_t>& data) {
  ByteView v(data.data(), data.size());
  size_t off = 0;
  while (v.has(off, kRecordHeaderSize)) {
    DebugRecord r = recordFromBytes(data.data() + off);
    size_t len = recordLength(r.length);
    if (!v.has(off, len)) break;
    std::printf("record seq=%u drv=%u type=0x%04X len=%u", r.sequence, r.driverId, r.typeWord,
                r.length);
    int t = r.messageType();
    if (t == 1 || t == 3)
      std::printf(" text=\"%.*s\"", static_cast<int>(r.view().strLen(0)),
                  reinterpret_cast<const char*>(r.payload));
    if (t == 2) std::printf(" mask=0x%08X", r.view().le32(0));
    std::printf("\n");
    off += len;
  }
  if (off != data.size()) std::printf("trailing %zu bytes\n", data.size() - off);
}

int single(uint32_t ioctl, const std::vector<uint8_t>& input, uint32_t capacity) {
  issue(ioctl, input, capacity);
  uint32_t tag, status;
  std::vector<uint8_t> data;
  if (!nextReply(tag, status, data)) {
    std::printf("closed\n");
    return 1;
  }
  std::printf("status %u bytes %zu\n", status, data.size());
  if (capacity == 4 && data.size() == 4)
    std::printf("value %u\n", ByteView(data.data(), 4).le32(0));
  else
    printRecords(data);
  return 0;
}

int drain(unsigned long long want, uint32_t threshold, uint32_t period, int outstanding) {
  const uint32_t cap = 0x400000;
  auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < outstanding; ++i) issue(0x80011C0A, debugInput(0, threshold, period, 0), cap);
  unsigned long long got = 0, bytes = 0, missing = 0, backward = 0;
  uint32_t last = 0;
  bool first = true;
  uint32_t tag, status;
  std::vector<uint8_t> data;
  while (got < want) {
    if (!nextReply(tag, status, data)) {
      std::fprintf(stderr, "qvprobe: connection closed\n");
      return 1;
    }
    if (status != 0) {
      std::fprintf(stderr, "qvprobe: copy status %u\n", status);
      return 1;
    }
    issue(0x80011C0A, debugInput(0, threshold, period, 0), cap);
    bytes += data.size();
    ByteView v(data.data(), data.size());
    for (size_t off = 0; v.has(off, kRecordHeaderSize);) {
      DebugRecord r = recordFromBytes(data.data() + off);
      off += recordLength(r.length);
      int t = r.messageType();
      if (t == 1 || t == 2) continue;
      if (!first && r.sequence != last + 1) {
        if (r.sequence > last) missing += r.sequence - last - 1;
        else backward += 1;
      }
      first = false;
      last = r.sequence;
      ++got;
    }
  }
  double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("records %llu bytes %llu seconds %.3f rate %.0f records/s missing %llu backward %llu\n",
              got, bytes, s, got / s, missing, backward);
  return missing || backward ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::string dir, name = "Norwin_QVMAINT";
  int i = 1;
  for (; i + 1 < argc && argv[i][0] == '-'; i += 2) {
    if (!std::strcmp(argv[i], "--dir")) dir = argv[i + 1];
    else if (!std::strcmp(argv[i], "--name")) name = argv[i + 1];
    else break;
  }
  if (i >= argc) return std::fputs(kUsage, stderr), 2;
  if (dir.empty()) {
    const char* e = getenv("MARLOG_DEVICE_DIR");
    if (!e || !*e) e = getenv("XDG_RUNTIME_DIR");
    dir = e && *e ? e : "/tmp/marlog-" + std::to_string(geteuid());
  }
  std::string path = dir + "/" + name;
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  if (path.size() >= sizeof addr.sun_path) return std::fputs("qvprobe: path too long\n", stderr), 2;
  std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);
  g_fd = socket(AF_UNIX, SOCK_STREAM, 0);
  if (g_fd < 0 || connect(g_fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
    std::fprintf(stderr, "qvprobe: cannot connect to %s\n", path.c_str());
    return 2;
  }
  std::string cmd = argv[i];
  auto arg = [&](int k) -> uint32_t {
    return i + k < argc ? static_cast<uint32_t>(std::strtoul(argv[i + k], nullptr, 0)) : 0;
  };
  const uint32_t dbg = 0x80011C0A;
  if (cmd == "list") return single(dbg, debugInput(2, 0, 0, 0), 4096);
  if (cmd == "bufsize") return single(dbg, debugInput(5, 0, 0, 0), 4);
  if (cmd == "copy") return single(dbg, debugInput(0, 0, 0, 0), i + 1 < argc ? arg(1) : 0x400000);
  if (cmd == "flush") return single(dbg, debugInput(1, 0, 0, 0), 0);
  if (cmd == "get-mask") return single(dbg, debugInput(3, arg(1), 0xFFFFFFFF, 0), 4096);
  if (cmd == "set-mask") return single(dbg, debugInput(4, arg(1), arg(2) | 3, 0), 4096);
  if (cmd == "write" && i + 1 < argc) {
    std::vector<uint8_t> in(argv[i + 1], argv[i + 1] + std::strlen(argv[i + 1]) + 1);
    return single(0x80010020, in, 0);
  }
  if (cmd == "raw") return single(arg(1), debugInput(arg(2), arg(3), arg(4), arg(5)), arg(6));
  if (cmd == "drain")
    return drain(std::strtoull(i + 1 < argc ? argv[i + 1] : "0", nullptr, 0),
                 i + 2 < argc ? arg(2) : 32768, i + 3 < argc ? arg(3) : 2000,
                 i + 4 < argc ? static_cast<int>(arg(4)) : 1);
  std::fputs(kUsage, stderr);
  return 2;
}
