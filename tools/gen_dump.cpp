// gen_dump: writes a synthetic crash dump for the -a benchmark: pseudo-random
// and zero-filled pages with debug records scattered in them, out of order,
// some present twice.
//   gen_dump OUT SIZE_MIB RECORDS [DUPLICATE_PERCENT]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <vector>

#include "trace/record.h"

namespace {

uint64_t g_state = 0x9E3779B97F4A7C15ull;
uint64_t nextRandom() {
  g_state ^= g_state << 13;
  g_state ^= g_state >> 7;
  g_state ^= g_state << 17;
  return g_state;
}

struct Placed {
  uint64_t offset;
  uint32_t sequence;
  bool copy;
};

// A record of sequence number seq: WAN texts and adapter-like binary blocks.
size_t makeRecord(uint8_t* out, uint32_t seq, uint64_t fileTime) {
  DebugRecord r;
  r.timeLow = static_cast<uint32_t>(fileTime);
  r.timeHigh = static_cast<uint32_t>(fileTime >> 32);
  r.sequence = seq;
  r.driverId = static_cast<uint16_t>(1 + seq % 4);
  uint8_t payload[kMaxPayload];
  size_t n;
  if (seq % 3) {
    n = static_cast<size_t>(std::snprintf(reinterpret_cast<char*>(payload), 200,
                                          "Line %u ==> record %u of the benchmark dump", seq % 8,
                                          seq)) + 1;
    r.typeWord = 0x0303;
  } else {
    n = 16 + seq % 400;
    for (size_t i = 0; i < n; ++i) payload[i] = static_cast<uint8_t>(seq + i);
    r.typeWord = 0x0E04;  // class 14, a binary block
  }
  r.length = static_cast<uint16_t>(n);
  size_t total = recordLength(n);
  std::memset(out, 0, total);
  recordWriteHeader(r, out);
  std::memcpy(out + kRecordHeaderSize, payload, n);
  return total;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: gen_dump OUT SIZE_MIB RECORDS [DUPLICATE_PERCENT]\n");
    return 2;
  }
  uint64_t size = std::strtoull(argv[2], nullptr, 0) << 20;
  uint64_t records = std::strtoull(argv[3], nullptr, 0);
  unsigned dupPercent = argc > 4 ? static_cast<unsigned>(std::atoi(argv[4])) : 5;
  FILE* f = std::fopen(argv[1], "wb");
  if (!f) {
    std::perror(argv[1]);
    return 1;
  }
  uint64_t fileTime = (static_cast<uint64_t>(std::time(nullptr)) + 11644473600ull - 3600) * 10000000ull;
  // Distinct slots of 4096 bytes, one record each, so records never overlap;
  // numbers shuffled so that the dump holds them out of order.
  uint64_t slots = size / 4096;
  uint64_t copies = records * dupPercent / 100;
  if (records + copies > slots) {
    std::fprintf(stderr, "gen_dump: too many records for the size\n");
    return 2;
  }
  std::vector<uint64_t> slot(slots);
  for (uint64_t i = 0; i < slots; ++i) slot[i] = i;
  for (uint64_t i = 0; i < records + copies; ++i) std::swap(slot[i], slot[i + nextRandom() % (slots - i)]);
  std::vector<Placed> placed;
  for (uint64_t i = 0; i < records + copies; ++i) {
    uint32_t seq = static_cast<uint32_t>(i < records ? i + 1 : 1 + nextRandom() % records);
    placed.push_back(Placed{slot[i] * 4096 + 4 * (nextRandom() % 400), seq, i >= records});
  }
  std::sort(placed.begin(), placed.end(), [](const Placed& a, const Placed& b) { return a.offset < b.offset; });

  const size_t kChunk = 8u << 20;
  std::vector<uint8_t> buf(kChunk + kMaxRecordSize);
  size_t next = 0;
  uint64_t uniqueBytes = 0;
  for (uint64_t at = 0; at < size; at += kChunk) {
    size_t n = static_cast<size_t>(std::min<uint64_t>(kChunk, size - at));
    // Half the pages random, half zero, as in a dump of used and free memory.
    for (size_t p = 0; p < n; p += 4096) {
      bool random = (nextRandom() & 1) != 0;
      for (size_t i = p; i < p + 4096 && i < n; i += 8) {
        uint64_t w = random ? nextRandom() : 0;
        std::memcpy(buf.data() + i, &w, std::min<size_t>(8, n - i));
      }
    }
    while (next < placed.size() && placed[next].offset < at + n) {
      size_t len = makeRecord(buf.data() + (placed[next].offset - at), placed[next].sequence, fileTime);
      // A slot holds the whole record (offset below 1600 of 4096).
      if (!placed[next].copy) uniqueBytes += len;
      ++next;
    }
    if (std::fwrite(buf.data(), 1, n, f) != n) {
      std::perror("write");
      return 1;
    }
  }
  std::fclose(f);
  std::printf("records %llu copies %llu bytes %llu\n", static_cast<unsigned long long>(records),
              static_cast<unsigned long long>(copies), static_cast<unsigned long long>(uniqueBytes));
  return 0;
}
