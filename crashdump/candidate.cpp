// Recognising a debug-record header in dump bytes.
#include <cstring>

#include "crashdump/crashdump.h"
#include "trace/byteview.h"
#include "trace/record.h"

namespace {

// Driver classes a record may carry in a dump: 1-6, 8-14, 17-22, 25-28.
constexpr uint32_t kAcceptedClasses = 0x0F3F3FBF;
constexpr uint16_t kDriverIdLimit = 100;

// Word at offset 8 of a header: payload length 1..2152 below the format
// marker. This one test turns away nearly every offset of a dump, so it runs
// on raw loads; the caller guarantees the 4 bytes lie in the window.
inline bool lengthAndMarker(const uint8_t* p) {
  uint32_t w;
  std::memcpy(&w, p, 4);
#if __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
  w = __builtin_bswap32(w);  // dump words are little-endian
#endif
  uint32_t marker = w >> 16, length = w & 0xFFFF;
  return marker == 0xFFFF && length - 1 < kMaxPayload;
}

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

long findCandidate(const uint8_t* window, size_t count, const CrashTimeBounds& bounds) {
  if (count < 24) return -1;
  size_t last = count - 24;  // highest offset that leaves 24 bytes
  size_t p = 0;
  // Blocks of 16 offsets first: a branch-free pass over the length-and-marker
  // word, so that the compiler can vectorise it.
  while (p + 64 <= last) {
    unsigned hits = 0;
    for (unsigned i = 0; i < 16; ++i) hits |= unsigned(lengthAndMarker(window + p + 8 + 4 * i)) << i;
    while (hits) {
      unsigned i = static_cast<unsigned>(__builtin_ctz(hits));
      hits &= hits - 1;
      size_t at = p + 4 * i;
      if (plausibleHeader(ByteView(window + at, kRecordHeaderSize), bounds))
        return static_cast<long>(at);
    }
    p += 64;
  }
  for (; p <= last; p += 4)
    if (plausibleHeader(ByteView(window + p, kRecordHeaderSize), bounds)) return static_cast<long>(p);
  return -1;
}
