// Record sources of the stand-in: replay of a raw debug file and a synthetic
// load at a fixed rate.
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "tools/qvmaint/qvmaint.h"
#include "trace/record.h"
#include "trace/textbuf.h"

namespace {

constexpr uint32_t kMaxGapMs = 2000;

// Milliseconds of a record's time stamp, and whether it is a file time.
uint64_t stampMs(const DebugRecord& rec, bool& fileTime) {
  fileTime = rec.timeHigh != 0;
  if (!fileTime) return rec.timeLow;
  return ((static_cast<uint64_t>(rec.timeHigh) << 32) | rec.timeLow) / 10000;
}

DebugRecord recordAt(const ReplaySource& r, size_t i) {
  return recordFromBytes(r.records.data() + r.offsets[i]);
}

size_t recordBytes(const ReplaySource& r, size_t i) {
  return recordLength(recordAt(r, i).length);
}

}  // namespace

bool replayLoad(ReplaySource& r, const char* path, std::string& error) {
  r.records.clear();
  r.offsets.clear();
  r.gapMs.clear();
  FILE* f = std::fopen(path, "rb");
  if (!f) {
    error = std::string("cannot open ") + path + ": " + std::strerror(errno);
    return false;
  }
  std::vector<uint8_t> raw;
  uint8_t chunk[65536];
  size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) raw.insert(raw.end(), chunk, chunk + n);
  bool readError = std::ferror(f);
  std::fclose(f);
  if (readError) {
    error = std::string("cannot read ") + path;
    return false;
  }
  ByteView v(raw.data(), raw.size());
  size_t off = 0;
  uint64_t prevMs = 0;
  bool prevFileTime = false;
  while (v.has(off, kRecordHeaderSize)) {
    uint8_t scratch[kMaxRecordSize];
    const uint8_t* rec = raw.data() + off;
    size_t length;
    if (v.le16(off + 10) == kFormatMarker) {
      length = recordLength(v.le16(off + 8));
      if (length > kMaxRecordSize || !v.has(off, length)) break;
    } else {
      uint32_t payload = v.le32(off + 8);
      if (payload > kMaxOldPayload || !v.has(off, kOldRecordHeaderSize)) break;
      length = oldRecordLength(payload);
      if (!v.has(off, length)) break;
      recordConvertOld(rec, scratch);
      rec = scratch;
    }
    DebugRecord d = recordFromBytes(rec);
    if (d.driverClass() < 1 || d.driverClass() > 32) break;
    size_t own = recordLength(d.length);
    r.offsets.push_back(r.records.size());
    r.records.insert(r.records.end(), rec, rec + own);
    bool fileTime;
    uint64_t ms = stampMs(d, fileTime);
    uint64_t gap = 0;
    if (r.offsets.size() > 1 && fileTime == prevFileTime && ms > prevMs) gap = ms - prevMs;
    r.gapMs.push_back(static_cast<uint32_t>(gap > kMaxGapMs ? kMaxGapMs : gap));
    prevMs = ms;
    prevFileTime = fileTime;
    off += length;
  }
  if (off < raw.size()) {
    char where[96];
    std::snprintf(where, sizeof where, "%s: corrupt or truncated record at offset %zu", path, off);
    error = where;
    return false;
  }
  if (r.offsets.empty()) {
    error = std::string(path) + ": no records";
    return false;
  }
  r.next = 0;
  r.started = false;
  return true;
}

void replayTick(ReplaySource& r, StandIn& s, uint64_t nowMs) {
  if (!r.started) {
    r.started = true;
    r.dueMs = nowMs;
  }
  while (r.next < r.offsets.size()) {
    if (r.fast) {
      if (ringFree(s.ring) < recordBytes(r, r.next)) return;
    } else {
      if (nowMs < r.dueMs) return;
    }
    DebugRecord d = recordAt(r, r.next);
    standInLog(s, d.driverId, d.typeWord, d.payload, d.length, fileTimeNow());
    r.next += 1;
    if (r.next == r.offsets.size() && r.loop) r.next = 0;
    if (r.next < r.offsets.size()) r.dueMs += r.gapMs[r.next];
    // A looping file of records without pauses would never give way.
    if (!r.fast && r.next == 0 && r.dueMs <= nowMs) {
      r.dueMs = nowMs + 1;
      return;
    }
  }
}

uint64_t replayNextDue(const ReplaySource& r) {
  if (r.next >= r.offsets.size() || r.fast) return UINT64_MAX;
  return r.started ? r.dueMs : 0;
}

bool replayFinished(const ReplaySource& r) { return r.next >= r.offsets.size(); }

void replayRegisterDrivers(const ReplaySource& r, std::vector<DriverEntry>& drivers) {
  std::vector<uint16_t> masked;  // drivers whose mask the file has told
  for (size_t i = 0; i < r.offsets.size(); ++i) {
    DebugRecord d = recordAt(r, i);
    if (d.driverId == 0xFFFF) continue;
    size_t k = 0;
    while (k < drivers.size() && drivers[k].id != d.driverId) ++k;
    if (k == drivers.size()) {
      DriverEntry e;
      FixedText<16> name;
      name.add("DRV%u:", d.driverId);
      e.name = name.str();
      e.id = d.driverId;
      e.driverClass = static_cast<uint16_t>(d.driverClass());
      drivers.push_back(e);
    }
    // The driver's first debug-flags record tells its mask.
    bool told = false;
    for (uint16_t id : masked) told = told || id == d.driverId;
    if (d.messageType() == 2 && d.length >= 4 && !told) {
      drivers[k].mask = d.view().le32(0);
      masked.push_back(d.driverId);
    }
  }
}

void loadTick(LoadSource& l, StandIn& s, uint64_t nowMs) {
  if (!l.started) {
    l.started = true;
    l.startMs = nowMs;
  }
  uint64_t due = static_cast<uint64_t>(static_cast<double>(nowMs - l.startMs) * l.rate / 1000.0);
  if (l.count && due > l.count) due = l.count;
  uint16_t typeWord = static_cast<uint16_t>((l.driverClass << 8) | 3);
  uint64_t stamp = fileTimeNow();
  while (l.produced < due) {
    FixedText<48> text;
    text.add("load record %010llu", static_cast<unsigned long long>(l.produced + 1));
    standInLog(s, l.driverId, typeWord, reinterpret_cast<const uint8_t*>(text.str()),
               text.len + 1, stamp);
    l.produced += 1;
  }
}

uint64_t loadNextDue(const LoadSource& l) {
  if (l.rate <= 0 || (l.count && l.produced >= l.count)) return UINT64_MAX;
  if (!l.started) return 0;
  return l.startMs + static_cast<uint64_t>(static_cast<double>(l.produced + 1) * 1000.0 / l.rate);
}
