// gen_trace: writes a large raw debug file for the benchmark.
//
//   gen_trace --mix SAMPLE OUT [--size N]   replays SAMPLE's records over and over
//   gen_trace --text OUT [--size N]         text records only
//
// Every record gets a fresh consecutive sequence number and a file time one
// millisecond after the one before, so the interpreter sees a clean trace
// with no gap lines. N is a byte count with an optional K, M or G suffix
// (default 256M). Prints "records R bytes B" when done.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "trace/record.h"

namespace {

struct SampleRecord {
  uint16_t driverId;
  uint16_t typeWord;
  std::vector<uint8_t> payload;
};

// 2026-01-15 08:00:00 UTC as a file time; one millisecond per record.
constexpr uint64_t kStartTime = 134129376000000000ull;
constexpr uint64_t kStep = 10000;

int usage() {
  std::fputs("usage: gen_trace --mix SAMPLE OUT [--size N[K|M|G]]\n"
             "       gen_trace --text OUT [--size N[K|M|G]]\n",
             stderr);
  return 2;
}

bool parseSize(const char* s, uint64_t& size) {
  char* end = nullptr;
  errno = 0;
  unsigned long long v = std::strtoull(s, &end, 10);
  if (errno || end == s) return false;
  if (*end == 'K' || *end == 'k') v <<= 10, ++end;
  else if (*end == 'M' || *end == 'm') v <<= 20, ++end;
  else if (*end == 'G' || *end == 'g') v <<= 30, ++end;
  size = v;
  return *end == 0 && v > 0;
}

// The well-formed records of a raw debug file, in the current form. Corrupt
// framing ends the list; records of an invalid driver class are left out,
// since the interpreter would only skip them.
bool loadSample(const char* name, std::vector<SampleRecord>& records) {
  FILE* f = std::fopen(name, "rb");
  if (!f) {
    std::fprintf(stderr, "gen_trace: cannot open %s: %s\n", name, std::strerror(errno));
    return false;
  }
  std::vector<uint8_t> data;
  uint8_t chunk[65536];
  size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) data.insert(data.end(), chunk, chunk + n);
  std::fclose(f);

  uint8_t scratch[kMaxRecordSize];
  size_t off = 0;
  while (data.size() - off >= kRecordHeaderSize) {
    ByteView v(data.data() + off, data.size() - off);
    bool current = v.le16(10) == kFormatMarker;
    size_t length = current ? v.le16(8) : v.le32(8);
    if (length > (current ? kMaxPayload : kMaxOldPayload)) break;
    size_t total = current ? recordLength(length) : oldRecordLength(length);
    if (total > v.size) break;
    const uint8_t* bytes = data.data() + off;
    if (!current) {
      recordConvertOld(bytes, scratch);
      bytes = scratch;
    }
    DebugRecord r = recordFromBytes(bytes);
    if (r.driverClass() >= 1 && r.driverClass() <= 32)
      records.push_back({r.driverId, r.typeWord, std::vector<uint8_t>(r.payload, r.payload + r.length)});
    off += total;
  }
  if (records.empty()) {
    std::fprintf(stderr, "gen_trace: %s holds no usable records\n", name);
    return false;
  }
  return true;
}

struct Writer {
  FILE* out;
  std::vector<uint8_t> buf;
  uint64_t bytes = 0, records = 0;
  bool ok = true;

  void add(uint16_t driverId, uint16_t typeWord, const uint8_t* payload, size_t length) {
    DebugRecord r;
    uint64_t t = kStartTime + records * kStep;
    r.timeLow = static_cast<uint32_t>(t);
    r.timeHigh = static_cast<uint32_t>(t >> 32);
    r.length = static_cast<uint16_t>(length);
    r.driverId = driverId;
    r.typeWord = typeWord;
    r.sequence = static_cast<uint32_t>(records + 1);
    size_t total = recordLength(length);
    size_t at = buf.size();
    buf.resize(at + total, 0);
    recordWriteHeader(r, buf.data() + at);
    if (length) std::memcpy(buf.data() + at + kRecordHeaderSize, payload, length);
    bytes += total;
    ++records;
    if (buf.size() >= (1u << 20)) flush();
  }
  void flush() {
    if (!buf.empty() && std::fwrite(buf.data(), 1, buf.size(), out) != buf.size()) ok = false;
    buf.clear();
  }
};

// Text lines of the kind the drivers log, varied so that the lines differ
// in length and content.
size_t makeText(uint64_t i, char* text, size_t room) {
  static const char* const kStates[] = {"idle", "dialling", "ringing", "connected", "shorthold"};
  static const char* const kForms[] = {
      "adapter %u: B-channel %u state %s, %u bytes queued",
      "line %u: call %u %s",
      "controller %u: PLCI 0x%04X NCCI %u %s",
      "adapter %u: layer 2 frame %u acknowledged, window %s",
  };
  unsigned a = static_cast<unsigned>(i % 4 + 1), b = static_cast<unsigned>(i % 2 + 1);
  const char* s = kStates[i % 5];
  int n;
  switch (i % 4) {
    case 0: n = std::snprintf(text, room, kForms[0], a, b, s, static_cast<unsigned>(i % 4096)); break;
    case 1: n = std::snprintf(text, room, kForms[1], b, static_cast<unsigned>(i % 1000), s); break;
    case 2: n = std::snprintf(text, room, kForms[2], a, static_cast<unsigned>(0x100 + i % 256), b, s); break;
    default: n = std::snprintf(text, room, kForms[3], a, static_cast<unsigned>(i % 128), s); break;
  }
  return static_cast<size_t>(n) + 1;  // with the ending zero byte
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return usage();
  bool mix = std::strcmp(argv[1], "--mix") == 0;
  if (!mix && std::strcmp(argv[1], "--text") != 0) return usage();
  int pos = 2;
  const char* sample = nullptr;
  if (mix) {
    if (argc < 4) return usage();
    sample = argv[pos++];
  }
  const char* outName = argv[pos++];
  uint64_t size = 256ull << 20;
  if (pos < argc) {
    if (pos + 2 != argc || std::strcmp(argv[pos], "--size") != 0 || !parseSize(argv[pos + 1], size))
      return usage();
  }

  std::vector<SampleRecord> records;
  if (mix && !loadSample(sample, records)) return 1;

  FILE* out = std::fopen(outName, "wb");
  if (!out) {
    std::fprintf(stderr, "gen_trace: cannot create %s: %s\n", outName, std::strerror(errno));
    return 1;
  }
  Writer w{out, {}};
  char text[256];
  while (w.bytes < size && w.ok) {
    if (mix) {
      const SampleRecord& r = records[w.records % records.size()];
      w.add(r.driverId, r.typeWord, r.payload.data(), r.payload.size());
    } else {
      uint64_t i = w.records;
      size_t n = makeText(i, text, sizeof text);
      uint16_t cls = static_cast<uint16_t>(i % 4 + 1);
      uint16_t proc = (i % 3 == 0) ? static_cast<uint16_t>(0x80 | ((i % 2) << 4)) : 0;
      w.add(static_cast<uint16_t>(i % 3 + 1), static_cast<uint16_t>(cls << 8 | proc | kMsgText),
            reinterpret_cast<const uint8_t*>(text), n);
    }
  }
  w.flush();
  if (std::fclose(out) != 0 || !w.ok) {
    std::fprintf(stderr, "gen_trace: cannot write %s\n", outName);
    return 1;
  }
  std::printf("records %llu bytes %llu\n", static_cast<unsigned long long>(w.records),
              static_cast<unsigned long long>(w.bytes));
  return 0;
}
