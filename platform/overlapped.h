// The state of one overlapped operation: where it works (file offset), the
// event signalled when it finishes, and its outcome once finished.
#pragma once

#include <atomic>
#include <cstdint>

struct PlatformEvent;

struct Overlapped {
  uint32_t offset = 0;      // file offset, low word
  uint32_t offsetHigh = 0;  // file offset, high word
  PlatformEvent* event = nullptr;
  // Filled by whoever finishes the operation, before the event is set.
  std::atomic<bool> finished{false};
  uint32_t status = 0;  // system error code, 0 on success
  uint32_t bytes = 0;   // bytes transferred
  uint64_t finishOrder = 0;  // process-wide count of finished operations, for ordering
};

// Marks the operation as started (not finished); keeps offset and event.
void overlappedBegin(Overlapped* ov);
// Records the outcome and signals the event.
void overlappedFinish(Overlapped* ov, uint32_t status, uint32_t bytes);

// The outcome without waiting: true with the bytes transferred, or false
// with the error (kErrorIoIncomplete while still running).
bool overlappedResult(const Overlapped* ov, uint32_t& bytes, uint32_t& error);
