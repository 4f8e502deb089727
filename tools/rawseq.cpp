// Checks raw debug files, read in the order given, for a whole and unbroken
// run of records: every record whole, and the sequence numbers of records
// that carry one (all but texts and debug flags) rising by one.
// Prints "records N first F last L gaps G backward B partial P bytes N
// span_ms S" (S: time between the first and last sequenced record) and
// exits 0 only when there are no gaps, no backward steps and no partial
// records.
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "trace/record.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: rawseq FILE...\n");
    return 2;
  }
  unsigned long records = 0, gaps = 0, backward = 0, partial = 0;
  unsigned long long bytes = 0;
  uint32_t first = 0, last = 0;
  uint64_t firstTime = 0, lastTime = 0;  // file times (100 ns) of the sequenced records
  bool any = false;
  std::vector<uint8_t> data;
  for (int i = 1; i < argc; ++i) {
    FILE* f = std::fopen(argv[i], "rb");
    if (!f) {
      std::fprintf(stderr, "rawseq: cannot open %s\n", argv[i]);
      return 2;
    }
    data.clear();
    uint8_t buf[1 << 16];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) data.insert(data.end(), buf, buf + n);
    std::fclose(f);
    bytes += data.size();
    size_t at = 0;
    while (data.size() - at >= kRecordHeaderSize) {
      DebugRecord r = recordFromBytes(data.data() + at);
      size_t len = recordLength(r.length);
      if (len > data.size() - at || len > kMaxRecordSize) break;
      at += len;
      ++records;
      if (r.messageType() == kMsgText || r.messageType() == kMsgFlags) continue;
      uint64_t t = (static_cast<uint64_t>(r.timeHigh) << 32) | r.timeLow;
      if (!any) firstTime = t;
      lastTime = t;
      if (!any) {
        first = r.sequence;
      } else if (r.sequence != last + 1) {
        if (r.sequence > last) ++gaps; else ++backward;
        std::fprintf(stderr, "rawseq: %s: %u follows %u\n", argv[i], r.sequence, last);
      }
      any = true;
      last = r.sequence;
    }
    if (at != data.size()) {
      ++partial;
      std::fprintf(stderr, "rawseq: %s: %zu bytes of a partial record at its end\n", argv[i], data.size() - at);
    }
  }
  std::printf("records %lu first %u last %u gaps %lu backward %lu partial %lu bytes %llu span_ms %llu\n",
              records, first, last, gaps, backward, partial, bytes,
              static_cast<unsigned long long>((lastTime - firstTime) / 10000));
  return gaps || backward || partial ? 1 : 0;
}
