// Recognising a debug-record header in dump bytes.
#include <cstring>

#include "crashdump/crashdump.h"
#include "trace/byteview.h"
#include "trace/record.h"

namespace {

// Driver classes a record may carry in a dump: 1-6, 8-14, 17-22, 25-28.
constexpr uint32_t kAcceptedClasses = 0x0F3F3FBF;
constexpr uint16_t kDriverIdLimit = 100;

#if __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
typedef uint32_t Lanes __attribute__((vector_size(32)));

// True when one of the 32 words at p (128 bytes, all inside the window) could
// be the word at offset 8 of a header: the format marker above a payload
// length below 4096. This one test turns away nearly every offset of a dump,
// so it runs on whole vectors of raw words.
inline bool blockMayHold(const uint8_t* p) {
  Lanes v[4];
  std::memcpy(&v[0], p, sizeof(Lanes));
  std::memcpy(&v[1], p + 32, sizeof(Lanes));
  std::memcpy(&v[2], p + 64, sizeof(Lanes));
  std::memcpy(&v[3], p + 96, sizeof(Lanes));
  // Marker 0xFFFF and a length below 4096; the exact test follows per offset.
  Lanes hit = (((v[0] | 0xFFFF) == ~0u) & ((v[0] & 0xF000) == 0)) |
              (((v[1] | 0xFFFF) == ~0u) & ((v[1] & 0xF000) == 0)) |
              (((v[2] | 0xFFFF) == ~0u) & ((v[2] & 0xF000) == 0)) |
              (((v[3] | 0xFFFF) == ~0u) & ((v[3] & 0xF000) == 0));
  uint64_t part[4];
  std::memcpy(part, &hit, sizeof part);
  return (part[0] | part[1] | part[2] | part[3]) != 0;
}
#else
inline bool blockMayHold(const uint8_t*) { return true; }
#endif

bool plausibleHeader(ByteView h, const CrashTimeBounds& b) {
  uint64_t stamp = (static_cast<uint64_t>(h.le32(4)) << 32) | h.le32(0);
  if (stamp <= b.lower || stamp >= b.upper) return false;
  uint16_t length = h.le16(8);
  if (length < 1 || length > kMaxPayload || h.le16(10) != kFormatMarker) return false;
  if (h.le16(12) >= kDriverIdLimit) return false;
  uint16_t type = h.le16(14);
  int messageType = type & 0x0F, driverClass = type >> 8;
  if (messageType < 1 || messageType > 4) return false;
  return driverClass >= 1 && driverClass <= 32 && ((kAcceptedClasses >> (driverClass - 1)) & 1);
}

}  // namespace

CrashTimeBounds crashTimeBounds(time_t now) {
  CrashTimeBounds b;
  b.upper = (static_cast<uint64_t>(now) + 11644473600ull + 2592000ull) * 10000000ull;
  return b;
}

#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
// Wider vectors where the processor has them.
__attribute__((target_clones("avx2", "default")))
#endif
long findCandidate(const uint8_t* window, size_t count, const CrashTimeBounds& bounds) {
  if (count < 24) return -1;
  size_t last = count - 24;  // highest offset that leaves 24 bytes
  size_t p = 0;
  // Blocks of 32 offsets first; only a block that may hold a header is
  // looked at offset by offset.
  while (p + 128 <= last) {
    if (blockMayHold(window + p + 8)) {
      for (size_t at = p; at < p + 128; at += 4)
        if (plausibleHeader(ByteView(window + at, kRecordHeaderSize), bounds))
          return static_cast<long>(at);
    }
    p += 128;
  }
  for (; p <= last; p += 4)
    if (plausibleHeader(ByteView(window + p, kRecordHeaderSize), bounds)) return static_cast<long>(p);
  return -1;
}
