// Builds raw debug records for the monitor's tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "trace/record.h"

struct TraceBuilder {
  std::vector<uint8_t> bytes;
  uint32_t sequence = 0;

  // A record with text and a zero byte as payload. seq 0 takes the next
  // number; fileTime 0 gives the millisecond form.
  TraceBuilder& add(const std::string& text, int cls = 1, int type = kMsgWan, uint32_t seq = 0,
                    uint64_t fileTime = 0) {
    DebugRecord r;
    r.sequence = seq ? seq : sequence + 1;
    sequence = r.sequence;
    r.typeWord = static_cast<uint16_t>((cls << 8) | type);
    r.length = static_cast<uint16_t>(text.size() + 1);
    r.timeLow = static_cast<uint32_t>(fileTime);
    r.timeHigh = static_cast<uint32_t>(fileTime >> 32);
    r.driverId = 2;
    size_t at = bytes.size();
    bytes.resize(at + recordLength(r.length), 0);
    recordWriteHeader(r, bytes.data() + at);
    for (size_t i = 0; i < text.size(); ++i) bytes[at + kRecordHeaderSize + i] = static_cast<uint8_t>(text[i]);
    return *this;
  }
};

// The file time of 2026-01-15 at the given UTC time of day.
inline uint64_t fileTimeAt(int hour, int minute, int second, int ms = 0) {
  const uint64_t day = 134129088000000000ull;
  return day + ((((hour * 60ull + minute) * 60ull + second) * 1000ull) + ms) * 10000ull;
}
