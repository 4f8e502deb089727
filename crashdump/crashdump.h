// Crash-dump analysis (-a): the dump is scanned at 4-byte steps for plausible
// debug-record headers, the records found are ordered by sequence number
// without duplicates and printed or stored raw.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <vector>

// Scans the crash dump (the default path when name is nullptr or empty) for
// debug records and prints or stores them in sequence order.
void analyseCrashDump(const char* name);

// The default dump path: $SystemRoot, else $windir, followed by
// "/memory.dmp"; false when neither is set.
bool crashDumpDefaultPath(char* out, size_t size);

// A record header is plausible only with a time stamp strictly between these
// file times: 1996-01-01 and thirty days after the scan began.
struct CrashTimeBounds {
  uint64_t lower = 0x01BAD7DC17E88000ull;
  uint64_t upper = 0;
};
CrashTimeBounds crashTimeBounds(time_t now);

// Offset (a multiple of 4) of the first plausible record header in the
// count bytes of window that still leaves 24 bytes from it, or -1.
long findCandidate(const uint8_t* window, size_t count, const CrashTimeBounds& bounds);

// One record found in the dump. Its bytes live in the list's storage.
struct DebugEntry {
  uint32_t sequence;
  uint32_t length;  // record length
  const uint8_t* bytes;
};

// The records found, in the order the scan met them until ordered.
struct DebugEntryList {
  std::vector<DebugEntry> entries;
  std::vector<uint8_t*> blocks;  // storage for the record bytes
  size_t blockSize = 0;  // of the last block
  size_t blockUsed = 0;
  size_t duplicates = 0;  // dropped by the ordering
};

// Keeps a copy of the record (length bytes, a whole record): 0, or -1 when
// there is no memory for it.
int enqueDebugEntry(DebugEntryList& list, const uint8_t* record, size_t length);
// Puts the entries in ascending sequence order (unsigned) and drops every
// entry that has the same sequence number and the same bytes as one found
// before it; entries with the same number but other bytes are all kept, in
// the order they were found. Returns the number dropped.
size_t orderDebugEntries(DebugEntryList& list);
void releaseDebugEntries(DebugEntryList& list);

// Reads the open dump from its start to its end in chunks of about chunk
// bytes and keeps every record whose plausible header lies at a multiple of 4 and
// whose bytes all lie in the file.
constexpr size_t kCrashScanChunk = 1u << 20;  // stays in the cache while scanned  // stays in the cache while scanned  // stays in the cache while scanned  // stays in the cache while scanned  // stays in the cache while scanned
void scanCrashDump(FILE* f, const char* name, const CrashTimeBounds& bounds, DebugEntryList& list,
                   size_t chunk = kCrashScanChunk);

// Prints one batch of whole records through the record loop (or the line
// monitor), or with the raw output file open writes it there; the write has
// finished when it returns.
void emitBatch(const uint8_t* bytes, size_t length);
// Packs the entries in order into batches of at most 4096 bytes and emits
// each.
void emitDebugEntries(const DebugEntryList& list);
