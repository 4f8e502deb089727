// The -a mode: one sequential pass over the dump in large chunks. Every
// 4-byte offset is tested once; a chunk keeps the last record's worth of
// bytes for the next, so a record that straddles two reads is completed from
// the next read and never taken from bytes beyond those read.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "control/diag.h"
#include "crashdump/crashdump.h"
#include "trace/byteview.h"
#include "trace/record.h"

namespace {

// Tests the offsets below stop (a multiple of 4) of the have bytes at buf;
// a record is kept only when all its bytes lie among them.
void scanBytes(const uint8_t* buf, size_t have, size_t stop, const CrashTimeBounds& bounds,
               DebugEntryList& list) {
  // Headers up to stop - 4 need 24 bytes: stop + 20, or what there is.
  size_t limit = have < stop + kRecordHeaderSize ? have : stop + kRecordHeaderSize;
  size_t from = 0;
  while (from < stop) {
    long p = findCandidate(buf + from, limit - from, bounds);
    if (p < 0) break;
    size_t at = from + static_cast<size_t>(p);
    size_t length = recordLength(ByteView(buf + at, kRecordHeaderSize).le16(8));
    if (at + length <= have) enqueDebugEntry(list, buf + at, length);
    // else the record runs past the end of the file: nothing to take.
    from = at + 4;
  }
}

}  // namespace

void scanCrashDump(FILE* f, const char* name, const CrashTimeBounds& bounds, DebugEntryList& list,
                   size_t chunk) {
  chunk = chunk < 4096 ? 4096 : chunk & ~size_t(3);
  uint8_t* buf = static_cast<uint8_t*>(std::malloc(chunk + kMaxRecordSize));
  if (!buf) {
    printDiagnostic("malloc(%ld) failed ==> errno %ld\n", static_cast<long>(chunk + kMaxRecordSize),
                    static_cast<long>(errno));
    return;
  }
  size_t have = 0;  // bytes in buf; buf[0] lies at a multiple of 4 in the file
  bool end = false;
  while (!end) {
    size_t got = std::fread(buf + have, 1, chunk + kMaxRecordSize - have, f);
    if (got == 0) {
      end = true;
      if (std::ferror(f)) printDiagnostic("fread(%s) ==> %ld\n", name, static_cast<long>(errno));
    }
    have += got;
    // Offsets below stop are tested now: each leaves room for the longest
    // record, or at the end of the file for the bytes that are there.
    size_t stop;
    if (end)
      stop = have;
    else if (have > kMaxRecordSize)
      stop = (have - kMaxRecordSize) & ~size_t(3);
    else
      continue;
    scanBytes(buf, have, stop, bounds, list);
    if (end) break;
    std::memmove(buf, buf + stop, have - stop);
    have -= stop;
  }
  std::free(buf);
}

void analyseCrashDump(const char* name) {
  char path[4096];
  if (!name || !*name) {
    if (!crashDumpDefaultPath(path, sizeof path)) {
      printDiagnostic("crashdump filename missing\n");
      return;
    }
    name = path;
  }
  FILE* f = std::fopen(name, "rb");
  if (!f) {
    printDiagnostic("fopen(%s) ==> %ld\n", name, static_cast<long>(errno));
    return;
  }
  std::setvbuf(f, nullptr, _IONBF, 0);  // reads go straight into the chunk
  CrashTimeBounds bounds = crashTimeBounds(std::time(nullptr));
  DebugEntryList list;
  scanCrashDump(f, name, bounds, list);
  std::fclose(f);
  orderDebugEntries(list);
  emitDebugEntries(list);
  releaseDebugEntries(list);
}
