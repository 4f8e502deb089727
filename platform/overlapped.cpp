#include "platform/overlapped.h"

#include <atomic>

#include "platform/event.h"
#include "platform/syserror.h"

static std::atomic<uint64_t> g_finished{0};

void overlappedBegin(Overlapped* ov) {
  ov->status = 0;
  ov->bytes = 0;
  ov->finished.store(false, std::memory_order_release);
}

void overlappedFinish(Overlapped* ov, uint32_t status, uint32_t bytes) {
  ov->status = status;
  ov->bytes = bytes;
  ov->finishOrder = g_finished.fetch_add(1, std::memory_order_relaxed) + 1;
  ov->finished.store(true, std::memory_order_release);
  if (ov->event) eventSet(ov->event);
}

bool overlappedResult(const Overlapped* ov, uint32_t& bytes, uint32_t& error) {
  if (!ov->finished.load(std::memory_order_acquire)) {
    bytes = 0;
    error = kErrorIoIncomplete;
    return false;
  }
  bytes = ov->bytes;
  error = ov->status;
  return ov->status == kErrorSuccess;
}
