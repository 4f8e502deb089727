#include "trace/record.h"

#include <cstring>

DebugRecord recordFromBytes(const uint8_t* bytes) {
  ByteView v(bytes, kRecordHeaderSize);
  DebugRecord r;
  r.timeLow = v.le32(0);
  r.timeHigh = v.le32(4);
  r.length = v.le16(8);
  r.driverId = v.le16(12);
  r.typeWord = v.le16(14);
  r.sequence = v.le32(16);
  r.payload = bytes + kRecordHeaderSize;
  return r;
}

static void putLe16(uint8_t* p, uint16_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}
static void putLe32(uint8_t* p, uint32_t v) {
  putLe16(p, static_cast<uint16_t>(v));
  putLe16(p + 2, static_cast<uint16_t>(v >> 16));
}

void recordWriteHeader(const DebugRecord& rec, uint8_t* out) {
  putLe32(out, rec.timeLow);
  putLe32(out + 4, rec.timeHigh);
  putLe16(out + 8, rec.length);
  putLe16(out + 10, kFormatMarker);
  putLe16(out + 12, rec.driverId);
  putLe16(out + 14, rec.typeWord);
  putLe32(out + 16, rec.sequence);
}

void recordConvertOld(const uint8_t* old, uint8_t* scratch) {
  ByteView v(old, kOldRecordHeaderSize);
  DebugRecord r;
  r.timeLow = v.le32(16);
  r.timeHigh = v.le32(20);
  r.length = v.le16(8);
  r.driverId = v.le16(0);
  r.typeWord = v.le16(2);
  r.sequence = v.le32(4);
  recordWriteHeader(r, scratch);
  std::memcpy(scratch + kRecordHeaderSize, old + kOldRecordHeaderSize, r.length);
}
