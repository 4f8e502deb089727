// The stand-in's record buffer: a byte ring of whole records, oldest first.
#include <cstring>

#include "tools/qvmaint/qvmaint.h"
#include "trace/record.h"

void ringInit(RecordRing& ring, size_t capacity) {
  ring.bytes.assign(capacity & ~size_t(3), 0);
  ring.head = 0;
  ring.used = 0;
  ring.records = 0;
  ring.dropped = 0;
}

size_t ringFree(const RecordRing& ring) { return ring.bytes.size() - ring.used; }

// Copies n bytes out of the ring from offset off, across its end.
static void ringRead(const RecordRing& ring, size_t off, uint8_t* dst, size_t n) {
  size_t cap = ring.bytes.size();
  size_t first = cap - off < n ? cap - off : n;
  std::memcpy(dst, ring.bytes.data() + off, first);
  if (first < n) std::memcpy(dst + first, ring.bytes.data(), n - first);
}

// Length of the oldest record. Records begin at multiples of 4 and the
// capacity is a multiple of 4, so a header may wrap only at 4-byte seams.
static size_t ringHeadLength(const RecordRing& ring) {
  uint8_t header[kRecordHeaderSize];
  ringRead(ring, ring.head, header, sizeof header);
  return recordLength(ByteView(header, sizeof header).le16(8));
}

static void ringDropOldest(RecordRing& ring) {
  size_t n = ringHeadLength(ring);
  ring.head = (ring.head + n) % ring.bytes.size();
  ring.used -= n;
  ring.records -= 1;
  ring.dropped += 1;
}

void ringPush(RecordRing& ring, const uint8_t* record, size_t length) {
  size_t cap = ring.bytes.size();
  if (length == 0 || length > cap) return;
  while (ringFree(ring) < length) ringDropOldest(ring);
  size_t tail = (ring.head + ring.used) % cap;
  size_t first = cap - tail < length ? cap - tail : length;
  std::memcpy(ring.bytes.data() + tail, record, first);
  if (first < length) std::memcpy(ring.bytes.data(), record + first, length - first);
  ring.used += length;
  ring.records += 1;
}

size_t ringTake(RecordRing& ring, std::vector<uint8_t>& out, size_t capacity) {
  out.reserve(out.size() + (capacity < ring.used ? capacity : ring.used));
  size_t taken = 0;
  while (ring.records > 0) {
    size_t n = ringHeadLength(ring);
    if (taken + n > capacity) break;
    size_t at = out.size();
    out.resize(at + n);
    ringRead(ring, ring.head, out.data() + at, n);
    ring.head = (ring.head + n) % ring.bytes.size();
    ring.used -= n;
    ring.records -= 1;
    taken += n;
  }
  if (ring.records == 0) ring.head = 0;
  return taken;
}
