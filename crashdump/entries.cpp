// The records found in a dump: stored as found, then put in sequence order
// with the duplicates dropped. Sorting first keeps the scan free of lookups:
// duplicates can only sit in a run of equal numbers.
#include <sys/mman.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "control/diag.h"
#include "crashdump/crashdump.h"
#include "trace/byteview.h"

namespace {

// Storage grows in blocks that never move, from 64 KiB doubling to 4 MiB, so
// that it stays in proportion to what was found.
constexpr size_t kFirstBlock = 64 << 10;
constexpr size_t kLargestBlock = 4 << 20;
constexpr size_t kSmallRun = 16;        // runs up to this size compare pairwise

// Maps fresh memory with one call instead of a page fault per page, which
// is what the storage of a large dump would otherwise spend much time on.
void prefault(void* p, size_t n) {
#ifdef MADV_POPULATE_WRITE
  uintptr_t from = reinterpret_cast<uintptr_t>(p) & ~uintptr_t(4095);
  madvise(reinterpret_cast<void*>(from), n + (reinterpret_cast<uintptr_t>(p) - from), MADV_POPULATE_WRITE);
#else
  (void)p, (void)n;
#endif
}

void growFor(std::vector<DebugEntry>& v, size_t n) {
  if (n <= v.capacity()) return;
  size_t cap = v.capacity() < 256 ? 256 : v.capacity() * 2;
  std::vector<DebugEntry> bigger;
  bigger.reserve(cap);
  prefault(bigger.data(), cap * sizeof(DebugEntry));
  bigger.insert(bigger.end(), v.begin(), v.end());
  v.swap(bigger);
}

uint8_t* storeBytes(DebugEntryList& list, const uint8_t* record, size_t length) {
  if (list.blocks.empty() || list.blockUsed + length > list.blockSize) {
    size_t size = list.blocks.empty() ? kFirstBlock : list.blockSize * 2;
    if (size > kLargestBlock) size = kLargestBlock;
    uint8_t* block = static_cast<uint8_t*>(std::malloc(size));
    if (!block) {
      printDiagnostic("enqueDebugEntry - malloc(%ld) failed ==> errno %ld\n", static_cast<long>(size),
                      static_cast<long>(errno));
      return nullptr;
    }
    prefault(block, size);
    list.blocks.push_back(block);
    list.blockSize = size;
    list.blockUsed = 0;
  }
  uint8_t* at = list.blocks.back() + list.blockUsed;
  std::memcpy(at, record, length);
  list.blockUsed += length;
  return at;
}

bool sameBytes(const DebugEntry& a, const DebugEntry& b) {
  return a.length == b.length && std::memcmp(a.bytes, b.bytes, a.length) == 0;
}

// Marks (keep = false) every entry of the run [first, last) that equals an
// earlier one of the run.
void markRunDuplicates(const std::vector<DebugEntry>& e, size_t first, size_t last,
                       std::vector<bool>& keep) {
  if (last - first <= kSmallRun) {
    for (size_t i = first + 1; i < last; ++i)
      for (size_t k = first; k < i && keep[i]; ++k)
        if (keep[k] && sameBytes(e[k], e[i])) keep[i] = false;
    return;
  }
  // A long run (many texts under one number): order it by content, so that
  // equal records are neighbours, the earliest first.
  std::vector<size_t> byContent;
  for (size_t i = first; i < last; ++i) byContent.push_back(i);
  std::sort(byContent.begin(), byContent.end(), [&e](size_t a, size_t b) {
    if (e[a].length != e[b].length) return e[a].length < e[b].length;
    int c = std::memcmp(e[a].bytes, e[b].bytes, e[a].length);
    return c != 0 ? c < 0 : a < b;
  });
  for (size_t i = 1; i < byContent.size(); ++i)
    if (sameBytes(e[byContent[i - 1]], e[byContent[i]])) keep[byContent[i]] = false;
}

}  // namespace

int enqueDebugEntry(DebugEntryList& list, const uint8_t* record, size_t length) {
  const uint8_t* bytes = storeBytes(list, record, length);
  if (!bytes) return -1;
  growFor(list.entries, list.entries.size() + 1);
  list.entries.push_back(DebugEntry{ByteView(record, length).le32(16), static_cast<uint32_t>(length), bytes});
  return 0;
}

size_t orderDebugEntries(DebugEntryList& list) {
  std::vector<DebugEntry>& e = list.entries;
  std::stable_sort(e.begin(), e.end(),
                   [](const DebugEntry& a, const DebugEntry& b) { return a.sequence < b.sequence; });
  std::vector<bool> keep(e.size(), true);
  for (size_t first = 0; first < e.size();) {
    size_t last = first + 1;
    while (last < e.size() && e[last].sequence == e[first].sequence) ++last;
    if (last - first > 1) markRunDuplicates(e, first, last, keep);
    first = last;
  }
  size_t kept = 0;
  for (size_t i = 0; i < e.size(); ++i)
    if (keep[i]) e[kept++] = e[i];
  size_t dropped = e.size() - kept;
  e.resize(kept);
  list.duplicates += dropped;
  return dropped;
}

void releaseDebugEntries(DebugEntryList& list) {
  for (uint8_t* b : list.blocks) std::free(b);
  list.blocks.clear();
  list.entries.clear();
  list.blockSize = 0;
  list.blockUsed = 0;
  list.duplicates = 0;
}
