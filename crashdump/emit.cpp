// Handing the recovered records on, in batches of whole records.
#include <cerrno>
#include <cstring>

#include "control/diag.h"
#include "crashdump/crashdump.h"
#include "driver/driver.h"
#include "driver/request_block.h"

namespace {
constexpr size_t kBatchSize = 4096;
}

void emitBatch(const uint8_t* bytes, size_t length) {
  RequestBlock* block = queAlloc(kBatchSize);
  if (!block) {
    printDiagnostic("queAlloc(%ld) failed ==> errno %ld\n", static_cast<long>(kBatchSize),
                    static_cast<long>(errno));
    terminate(1);
  }
  std::memcpy(block->data, bytes, length);
  block->length = static_cast<uint32_t>(length);
  // Prints the records, or writes them to the raw file and waits for the
  // write, so that no write is still open when the program ends.
  deliverResult(block);
}

void emitDebugEntries(const DebugEntryList& list) {
  uint8_t batch[kBatchSize];
  size_t used = 0;
  for (const DebugEntry& e : list.entries) {
    if (used + e.length > kBatchSize) {
      emitBatch(batch, used);
      used = 0;
    }
    std::memcpy(batch + used, e.bytes, e.length);
    used += e.length;
  }
  if (used) emitBatch(batch, used);
}
