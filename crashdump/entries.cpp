// The records found in a dump: kept once each, then put in sequence order.
#include <sys/mman.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "control/diag.h"
#include "crashdump/crashdump.h"
#include "trace/byteview.h"

namespace {

constexpr size_t kBlockSize = 4 << 20;  // storage grows in blocks, never moves

// Hash of the header and the first payload bytes: enough to tell records
// apart, and duplicates are confirmed byte by byte anyway.
uint64_t hashBytes(const uint8_t* p, size_t n) {
  uint64_t h = 0xcbf29ce484222325ull ^ n;
  if (n > 64) n = 64;
  size_t i = 0;
  for (; i + 8 <= n; i += 8) {
    uint64_t w;
    std::memcpy(&w, p + i, 8);
    h = (h ^ w) * 0x100000001b3ull;
    h ^= h >> 29;
  }
  for (; i < n; ++i) h = (h ^ p[i]) * 0x100000001b3ull;
  return h ^ (h >> 32);
}

// Maps fresh memory with one call instead of a page fault per page, which
// is what the storage of a large dump would otherwise spend most time on.
void prefault(void* p, size_t n) {
#ifdef MADV_POPULATE_WRITE
  uintptr_t from = reinterpret_cast<uintptr_t>(p) & ~uintptr_t(4095);
  madvise(reinterpret_cast<void*>(from), n + (reinterpret_cast<uintptr_t>(p) - from), MADV_POPULATE_WRITE);
#else
  (void)p, (void)n;
#endif
}

template <typename T>
void growFor(std::vector<T>& v, size_t n) {
  if (n <= v.capacity()) return;
  size_t cap = v.capacity() < 4096 ? 4096 : v.capacity() * 2;
  while (cap < n) cap *= 2;
  std::vector<T> bigger;
  bigger.reserve(cap);
  prefault(bigger.data(), cap * sizeof(T));
  bigger.insert(bigger.end(), v.begin(), v.end());
  v.swap(bigger);
}

// Grows the hash table to twice the entries, so chains stay short.
void rehash(DebugEntryList& list) {
  size_t size = list.buckets.empty() ? 1024 : list.buckets.size() * 2;
  list.buckets.clear();
  growFor(list.buckets, size);
  list.buckets.assign(size, 0);
  for (size_t i = 0; i < list.entries.size(); ++i) {
    uint32_t& head = list.buckets[list.entries[i].hash & (size - 1)];
    list.entries[i].sameHash = head;
    head = static_cast<uint32_t>(i + 1);
  }
}

uint8_t* storeBytes(DebugEntryList& list, const uint8_t* record, size_t length) {
  if (list.blocks.empty() || list.blockUsed + length > kBlockSize) {
    uint8_t* block = static_cast<uint8_t*>(std::malloc(kBlockSize));
    if (block) prefault(block, kBlockSize);
    if (!block) {
      printDiagnostic("enqueDebugEntry - malloc(%ld) failed ==> errno %ld\n",
                      static_cast<long>(kBlockSize), static_cast<long>(errno));
      return nullptr;
    }
    list.blocks.push_back(block);
    list.blockUsed = 0;
  }
  uint8_t* at = list.blocks.back() + list.blockUsed;
  std::memcpy(at, record, length);
  list.blockUsed += length;
  return at;
}

}  // namespace

int enqueDebugEntry(DebugEntryList& list, const uint8_t* record, size_t length) {
  uint64_t h = hashBytes(record, length);
  uint32_t sequence = ByteView(record, length).le32(16);
  if (list.buckets.empty()) rehash(list);
  // Byte-equal records hash alike; same number, other bytes is no duplicate.
  for (uint32_t k = list.buckets[h & (list.buckets.size() - 1)]; k; k = list.entries[k - 1].sameHash) {
    const DebugEntry& e = list.entries[k - 1];
    if (e.hash == h && e.sequence == sequence && e.length == length &&
        std::memcmp(e.bytes, record, length) == 0) {
      list.duplicates += 1;
      return 1;
    }
  }
  const uint8_t* bytes = storeBytes(list, record, length);
  if (!bytes) return -1;
  growFor(list.entries, list.entries.size() + 1);
  if (list.entries.size() + 1 > list.buckets.size() / 2) rehash(list);
  uint32_t& head = list.buckets[h & (list.buckets.size() - 1)];
  list.entries.push_back(DebugEntry{sequence, static_cast<uint32_t>(length), h, bytes, head});
  head = static_cast<uint32_t>(list.entries.size());
  return 0;
}

void orderDebugEntries(DebugEntryList& list) {
  std::stable_sort(list.entries.begin(), list.entries.end(),
                   [](const DebugEntry& a, const DebugEntry& b) { return a.sequence < b.sequence; });
  list.buckets.clear();  // the chains pointed at the old positions
}

void releaseDebugEntries(DebugEntryList& list) {
  for (uint8_t* b : list.blocks) std::free(b);
  list.blocks.clear();
  list.entries.clear();
  list.buckets.clear();
  list.blockUsed = 0;
  list.duplicates = 0;
}
