// The stand-in's answers to the debug and remark requests.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "tools/qvmaint/qvmaint.h"
#include "trace/record.h"
#include "trace/textbuf.h"

namespace {

constexpr uint16_t kTypeText = 1;
constexpr uint16_t kTypeFlags = 2;

uint16_t typeWordOf(uint16_t driverClass, uint16_t messageType) {
  return static_cast<uint16_t>((driverClass << 8) | messageType);
}

// Writes one current-form record, padded to a multiple of 4, into out (room
// for kMaxRecordSize bytes); returns its length.
size_t writeRecord(uint8_t* out, uint16_t driverId, uint16_t typeWord, uint32_t sequence,
                   uint64_t fileTime, const uint8_t* payload, size_t length) {
  if (length > kMaxPayload) length = kMaxPayload;
  DebugRecord rec;
  rec.timeLow = static_cast<uint32_t>(fileTime);
  rec.timeHigh = static_cast<uint32_t>(fileTime >> 32);
  rec.length = static_cast<uint16_t>(length);
  rec.driverId = driverId;
  rec.typeWord = typeWord;
  rec.sequence = sequence;
  size_t total = recordLength(length);
  std::memset(out, 0, total);
  recordWriteHeader(rec, out);
  if (length) std::memcpy(out + kRecordHeaderSize, payload, length);
  return total;
}

void appendRecord(std::vector<uint8_t>& out, uint16_t driverId, uint16_t typeWord,
                  uint32_t sequence, uint64_t fileTime, const uint8_t* payload, size_t length) {
  uint8_t rec[kMaxRecordSize];
  size_t n = writeRecord(rec, driverId, typeWord, sequence, fileTime, payload, length);
  out.insert(out.end(), rec, rec + n);
}

const DriverEntry* findDriver(const StandIn& s, uint32_t id) {
  for (const DriverEntry& d : s.drivers)
    if (d.id == id) return &d;
  return nullptr;
}

void reply(std::vector<Reply>& out, const Request& req, uint32_t status,
           std::vector<uint8_t> data = {}) {
  out.push_back(Reply{req.conn, req.tag, status, std::move(data)});
}

void flagsRecord(const StandIn& s, const DriverEntry& d, std::vector<uint8_t>& data) {
  uint8_t mask[4] = {static_cast<uint8_t>(d.mask), static_cast<uint8_t>(d.mask >> 8),
                     static_cast<uint8_t>(d.mask >> 16), static_cast<uint8_t>(d.mask >> 24)};
  appendRecord(data, d.id, typeWordOf(d.driverClass, kTypeFlags), s.sequence, fileTimeNow(), mask,
               sizeof mask);
}

void listDrivers(const StandIn& s, const Request& req, std::vector<Reply>& out) {
  std::vector<uint8_t> data;
  uint64_t now = fileTimeNow();
  for (const DriverEntry& d : s.drivers) {
    FixedText<128> text;
    text.add("%s stand-in driver V1.00, debug mask 0x%08X", d.name.c_str(), d.mask);
    size_t len = text.len + 1;  // with its zero
    if (data.size() + recordLength(len) > req.capacity) break;
    appendRecord(data, d.id, typeWordOf(d.driverClass, kTypeText), s.sequence, now,
                 reinterpret_cast<const uint8_t*>(text.str()), len);
  }
  if (data.empty())
    reply(out, req, kStatusInvalidParameter);
  else
    reply(out, req, kStatusSuccess, std::move(data));
}

void answerCopy(StandIn& s, int conn, uint32_t tag, uint32_t capacity, std::vector<Reply>& out) {
  Reply r{conn, tag, kStatusSuccess, {}};
  ringTake(s.ring, r.data, capacity);
  out.push_back(std::move(r));
}

void debugRequest(StandIn& s, const Request& req, uint64_t nowMs, std::vector<Reply>& out) {
  ByteView in(req.input.data(), req.input.size());
  if (in.size < 16) return reply(out, req, kStatusInvalidParameter);
  uint32_t command = in.le32(0), a = in.le32(4), b = in.le32(8);
  switch (command) {
    case 0: {  // DBG_COPY_LOGS
      if (s.faults.noResources != 0) {
        if (s.faults.noResources > 0) s.faults.noResources -= 1;
        return reply(out, req, kStatusNoResources);
      }
      if (a == 0 && b == 0) return answerCopy(s, req.conn, req.tag, req.capacity, out);
      PendingCopy p;
      p.conn = req.conn;
      p.tag = req.tag;
      p.capacity = req.capacity;
      p.threshold = a == 0 ? 1 : (a < req.capacity ? a : req.capacity);
      p.period = b;
      p.arrivedMs = nowMs;
      s.pending.push_back(p);
      return standInServePending(s, nowMs, out);
    }
    case 1: {  // DBG_FLUSH_LOGS: the waiting copies take what there is
      while (!s.pending.empty() && s.ring.records > 0) {
        PendingCopy p = s.pending.front();
        s.pending.erase(s.pending.begin());
        answerCopy(s, p.conn, p.tag, p.capacity, out);
      }
      return reply(out, req, kStatusSuccess);
    }
    case 2:  // DBG_LIST_DRVS
      return listDrivers(s, req, out);
    case 3:    // DBG_GET_MASK
    case 4: {  // DBG_SET_MASK
      DriverEntry* d = const_cast<DriverEntry*>(findDriver(s, a));
      if (!d) return reply(out, req, kStatusInvalidParameter);
      if (command == 4) d->mask = b;
      std::vector<uint8_t> data;
      flagsRecord(s, *d, data);
      if (data.size() > req.capacity) {
        if (command == 3) return reply(out, req, kStatusInvalidParameter);
        data.clear();
      }
      return reply(out, req, kStatusSuccess, std::move(data));
    }
    case 5: {  // DBG_GET_BUFSIZE
      if (req.capacity < 4) return reply(out, req, kStatusInvalidParameter);
      uint32_t v = s.bufsizeReply;
      return reply(out, req, kStatusSuccess,
                   {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8),
                    static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 24)});
    }
    default:
      return reply(out, req, kStatusInvalidParameter);
  }
}

}  // namespace

uint64_t fileTimeNow() {
  using namespace std::chrono;
  uint64_t unix100ns =
      duration_cast<nanoseconds>(system_clock::now().time_since_epoch()).count() / 100;
  return unix100ns + 116444736000000000ull;  // 1601-01-01 to 1970-01-01
}

void standInInit(StandIn& s, size_t bufferBytes, const std::vector<DriverEntry>& drivers) {
  ringInit(s.ring, bufferBytes);
  s.drivers = drivers;
  s.pending.clear();
  s.sequence = 0;
  // The program accepts answers from 32 KiB to 4 MiB; a larger buffer is
  // still drained in 4 MiB replies.
  size_t reported = s.ring.bytes.size();
  s.bufsizeReply = static_cast<uint32_t>(reported > 0x400000 ? 0x400000 : reported);
}

void standInLog(StandIn& s, uint16_t driverId, uint16_t typeWord, const uint8_t* payload,
                size_t length, uint64_t fileTime) {
  int type = typeWord & 0x0F;
  if (type != kTypeText && type != kTypeFlags) s.sequence += 1;
  uint8_t rec[kMaxRecordSize];
  size_t n = writeRecord(rec, driverId, typeWord, s.sequence, fileTime, payload, length);
  ringPush(s.ring, rec, n);
}

void standInRequest(StandIn& s, const Request& req, uint64_t nowMs, std::vector<Reply>& out) {
  if (req.ioctl == kIoctlDebugRequest) return debugRequest(s, req, nowMs, out);
  if (req.ioctl == kIoctlWriteLineRequest) {
    ByteView in(req.input.data(), req.input.size());
    if (in.empty()) return reply(out, req, kStatusInvalidParameter);
    size_t n = in.strLen(0);
    if (n > kMaxPayload - 1) n = kMaxPayload - 1;
    uint8_t text[kMaxPayload];
    std::memcpy(text, in.data, n);
    text[n] = 0;
    standInLog(s, kRemarkDriverId, typeWordOf(kRemarkClass, kTypeText), text, n + 1,
               fileTimeNow());
    reply(out, req, kStatusSuccess);
    return standInServePending(s, nowMs, out);
  }
  reply(out, req, kStatusInvalidParameter);
}

void standInServePending(StandIn& s, uint64_t nowMs, std::vector<Reply>& out) {
  while (!s.pending.empty() && s.ring.records > 0) {
    const PendingCopy& p = s.pending.front();
    bool full = s.ring.used >= p.threshold;
    bool late = p.period != 0 && nowMs >= p.arrivedMs + p.period;
    if (!full && !late) break;
    PendingCopy done = p;
    s.pending.erase(s.pending.begin());
    answerCopy(s, done.conn, done.tag, done.capacity, out);
  }
}

uint64_t standInNextDeadline(const StandIn& s) {
  uint64_t next = UINT64_MAX;
  for (const PendingCopy& p : s.pending)
    if (p.period != 0 && p.arrivedMs + p.period < next) next = p.arrivedMs + p.period;
  return next;
}

void standInDropConnection(StandIn& s, int conn) {
  std::erase_if(s.pending, [conn](const PendingCopy& p) { return p.conn == conn; });
}

bool parseDriverList(const char* text, std::vector<DriverEntry>& out) {
  out.clear();
  const char* p = text;
  while (*p) {
    const char* colon = std::strchr(p, ':');
    if (!colon || colon == p) return false;
    DriverEntry d;
    d.name.assign(p, colon - p);
    d.name += ':';
    char* end = nullptr;
    unsigned long id = std::strtoul(colon + 1, &end, 0);
    if (end == colon + 1 || id >= 0xFFFF) return false;
    d.id = static_cast<uint16_t>(id);
    if (*end == ':') {
      const char* c = end + 1;
      unsigned long cls = std::strtoul(c, &end, 0);
      if (end == c || cls < 1 || cls > 32) return false;
      d.driverClass = static_cast<uint16_t>(cls);
    }
    if (*end != ',' && *end != 0) return false;
    for (const DriverEntry& e : out)
      if (e.id == d.id) return false;
    out.push_back(d);
    p = *end ? end + 1 : end;
  }
  return !out.empty();
}
