// Arbitrary bytes as a crash dump: the scan, read in the smallest chunks so
// that records straddle reads, and the ordering. Every entry must be a whole
// plausible record taken from inside the input, in ascending order.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "crashdump/crashdump.h"
#include "trace/byteview.h"
#include "trace/record.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  FILE* f = fmemopen(const_cast<uint8_t*>(data), size, "rb");
  if (!f) return 0;
  // Wide bounds, so that inputs reach the later header tests.
  CrashTimeBounds bounds;
  bounds.lower = 1;
  bounds.upper = UINT64_MAX;
  DebugEntryList list;
  scanCrashDump(f, "fuzz", bounds, list, 4096);
  std::fclose(f);
  orderDebugEntries(list);
  for (size_t i = 0; i < list.entries.size(); ++i) {
    const DebugEntry& e = list.entries[i];
    ByteView v(e.bytes, e.length);
    if (e.length != recordLength(v.le16(8)) || e.length > kMaxRecordSize || v.le32(16) != e.sequence)
      std::abort();
    if (i && list.entries[i - 1].sequence > e.sequence) std::abort();
    if (!memmem(data, size, e.bytes, e.length)) std::abort();
  }
  releaseDebugEntries(list);
  return 0;
}
