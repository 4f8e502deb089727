// qvmaint: a stand-in for the maintenance driver. It keeps a bounded buffer
// of debug records, fed by replay, remarks and a synthetic load, and answers
// the debug and remark requests that arrive on the device socket.
//
// This header holds the socket-free part (record buffer, drivers, request
// handling), which the unit tests link directly.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Request and reply frames on the device socket (all words little-endian).
constexpr uint32_t kFrameMagic = 0x544D5651;
constexpr size_t kRequestHeaderSize = 20;  // magic, tag, ioctl, input length, capacity
constexpr size_t kReplyHeaderSize = 16;    // magic, tag, status, output length
constexpr uint32_t kIoctlDebugRequest = 0x80011C0A;
constexpr uint32_t kIoctlWriteLineRequest = 0x80010020;
constexpr uint32_t kMaxRequestInput = 65536;

// Windows error codes carried in the reply status.
constexpr uint32_t kStatusSuccess = 0;
constexpr uint32_t kStatusInvalidParameter = 87;
constexpr uint32_t kStatusNoResources = 1450;

// Remarks are logged under this driver id and class (no registered driver).
constexpr uint16_t kRemarkDriverId = 0;
constexpr uint16_t kRemarkClass = 1;

// Byte-bounded ring of whole current-form records, oldest first. A record
// that does not fit pushes the oldest ones out.
struct RecordRing {
  std::vector<uint8_t> bytes;  // capacity = bytes.size()
  size_t head = 0;             // offset of the oldest record
  size_t used = 0;             // bytes held
  size_t records = 0;          // records held
  uint64_t dropped = 0;        // records pushed out since start
};

void ringInit(RecordRing& ring, size_t capacity);
size_t ringFree(const RecordRing& ring);
// Appends one whole record (its length a multiple of 4, at most the
// capacity); drops the oldest records to make room.
void ringPush(RecordRing& ring, const uint8_t* record, size_t length);
// Moves whole records, oldest first, into out while they fit in capacity
// bytes; returns the bytes moved.
size_t ringTake(RecordRing& ring, std::vector<uint8_t>& out, size_t capacity);

struct DriverEntry {
  std::string name;  // debug name with its colon, e.g. "QVWAN:"
  uint16_t id = 0;
  uint16_t driverClass = 1;
  uint32_t mask = 0xFFFF;
};

// Parses "NAME:ID[:CLASS],..." (the name without its colon); false on a
// malformed list, a driver id 0xFFFF or a class outside 1 to 32.
bool parseDriverList(const char* text, std::vector<DriverEntry>& out);

// A request as it came from one connection.
struct Request {
  int conn = 0;
  uint32_t tag = 0;
  uint32_t ioctl = 0;
  uint32_t capacity = 0;
  std::vector<uint8_t> input;
};

// A reply ready to go to its connection.
struct Reply {
  int conn = 0;
  uint32_t tag = 0;
  uint32_t status = 0;
  std::vector<uint8_t> data;
};

// A copy request that waits for data.
struct PendingCopy {
  int conn = 0;
  uint32_t tag = 0;
  uint32_t capacity = 0;
  uint32_t threshold = 0;  // bytes of records that answer it
  uint32_t period = 0;     // ms after which any data answers it; 0 none
  uint64_t arrivedMs = 0;
};

struct Faults {
  long noResources = 0;  // copy requests still to answer with 1450; -1 all
};

struct StandIn {
  RecordRing ring;
  std::vector<DriverEntry> drivers;
  std::vector<PendingCopy> pending;  // in arrival order
  uint32_t sequence = 0;             // last number given to a record
  uint32_t bufsizeReply = 0;         // the buffer-size request's answer
  Faults faults;
};

void standInInit(StandIn& s, size_t bufferBytes, const std::vector<DriverEntry>& drivers);

// Current time as a file time (100 ns units since 1601-01-01 UTC).
uint64_t fileTimeNow();

// Logs one record: stamps it with the time and a sequence number (records of
// message types 1 and 2 carry the last number given, the others the next one)
// and appends it to the buffer. The payload is cut to the largest length.
void standInLog(StandIn& s, uint16_t driverId, uint16_t typeWord, const uint8_t* payload,
                size_t length, uint64_t fileTime);

// Handles one request at time nowMs. Replies that are due go to out (a flush
// may answer several waiting copies); a copy that has to wait is kept.
void standInRequest(StandIn& s, const Request& req, uint64_t nowMs, std::vector<Reply>& out);

// Answers the waiting copies whose threshold is reached or whose period has
// passed with data at hand.
void standInServePending(StandIn& s, uint64_t nowMs, std::vector<Reply>& out);

// Earliest time at which a waiting copy's period runs out, or UINT64_MAX.
uint64_t standInNextDeadline(const StandIn& s);

// Forgets the waiting copies of a closed connection.
void standInDropConnection(StandIn& s, int conn);

// Replay of a raw debug file: its records are logged again with fresh time
// stamps and sequence numbers, at the recorded pace (gaps cut to 2 s) or, when
// fast, as quickly as the buffer has room for them (nothing is pushed out).
struct ReplaySource {
  std::vector<uint8_t> records;  // current-form records, old form converted
  std::vector<size_t> offsets;   // start of each record
  std::vector<uint32_t> gapMs;   // recorded pause before each record
  bool fast = false;
  bool loop = false;
  size_t next = 0;
  uint64_t dueMs = 0;  // when records[next] is due (paced replay)
  bool started = false;
};

// Reads and checks the file; false with a message in error when it cannot be
// read, holds a corrupt record or no record at all.
bool replayLoad(ReplaySource& r, const char* path, std::string& error);
// Logs the records that are due at nowMs.
void replayTick(ReplaySource& r, StandIn& s, uint64_t nowMs);
// When the next record is due: UINT64_MAX when finished or waiting for room.
uint64_t replayNextDue(const ReplaySource& r);
bool replayFinished(const ReplaySource& r);
// Registers a driver (named "DRV<id>:") for each driver id the file logs
// under that is not registered yet, and takes each driver's mask from its
// first debug-flags record in the file.
void replayRegisterDrivers(const ReplaySource& r, std::vector<DriverEntry>& drivers);

// Synthetic load: WAN-text records at a fixed rate, optionally a fixed count.
struct LoadSource {
  double rate = 0;     // records per second
  uint64_t count = 0;  // 0: no end
  uint64_t produced = 0;
  uint64_t startMs = 0;
  bool started = false;
  uint16_t driverId = 0;
  uint16_t driverClass = 1;
};

void loadTick(LoadSource& l, StandIn& s, uint64_t nowMs);
uint64_t loadNextDue(const LoadSource& l);
