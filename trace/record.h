// The debug record: a 20-byte little-endian header and its payload.
#pragma once

#include <cstddef>
#include <cstdint>

#include "trace/byteview.h"

constexpr size_t kRecordHeaderSize = 20;     // current form
constexpr size_t kOldRecordHeaderSize = 24;  // old form, converted on input
constexpr size_t kMaxRecordSize = 2172;
constexpr size_t kMaxPayload = 2152;
constexpr size_t kMaxOldPayload = 2148;
constexpr uint16_t kFormatMarker = 0xFFFF;

enum MessageType : int { kMsgText = 1, kMsgFlags = 2, kMsgWan = 3, kMsgBinary = 4 };

// A record in the current form. The payload points at `length` valid bytes.
struct DebugRecord {
  uint32_t timeLow = 0;
  uint32_t timeHigh = 0;  // 0 selects the millisecond form
  uint16_t length = 0;    // payload length
  uint16_t driverId = 0;
  uint16_t typeWord = 0;
  uint32_t sequence = 0;
  const uint8_t* payload = nullptr;

  ByteView view() const { return ByteView(payload, length); }
  int messageType() const { return typeWord & 0x0F; }
  // Processor number 0..7, or -1 when the record carries none.
  int processor() const { return (typeWord & 0x80) ? ((typeWord >> 4) & 7) : -1; }
  int driverClass() const { return typeWord >> 8; }
};

// Record length of the current form for a payload length.
constexpr size_t recordLength(size_t payloadLength) { return (payloadLength + 23) & ~size_t(3); }
constexpr size_t oldRecordLength(size_t payloadLength) { return (payloadLength + 27) & ~size_t(3); }

// Reads the header of a current-form record at bytes (at least 20 bytes).
DebugRecord recordFromBytes(const uint8_t* bytes);

// Converts an old-form record (24-byte header) into the current form in
// scratch, which holds at least kMaxRecordSize bytes. payloadLength must
// already be checked against kMaxOldPayload.
void recordConvertOld(const uint8_t* old, uint8_t* scratch);

// Writes a current-form header for rec into out (20 bytes).
void recordWriteHeader(const DebugRecord& rec, uint8_t* out);
