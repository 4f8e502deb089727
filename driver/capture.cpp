// Continuous capture: copy requests kept outstanding at the driver, one wait
// over the events of every pending block, completions run here on the main
// thread, a flush after each idle period.
#include "driver/capture.h"

#include <cstdio>

#include "control/diag.h"
#include "control/settings.h"
#include "driver/driver.h"
#include "driver/raw_file.h"
#include "monitor/monitor.h"
#include "platform/device.h"
#include "platform/event.h"
#include "platform/keyboard.h"
#include "platform/stop_event.h"
#include "platform/syserror.h"
#include "trace/interp.h"

constexpr int kKeyEscape = 27;
constexpr int kKeyControlC = 3;
// Copies that complete at once run their completion inside startCopy, which
// issues the next copy; a driver short of resources at every try would
// otherwise nest without end.
constexpr int kMaxCopyNesting = 8;

static int g_copyNesting = 0;

static void releaseBlock(RequestBlock* block, uint32_t) { queFree(block); }

static void prepareDeviceBlock(RequestBlock* block, CompletionRoutine completion) {
  eventReset(block->event);
  block->target = kTargetDevice;
  block->handle = currentDevice();
  block->completion = completion;
  block->overlapped.offset = 0;
  block->overlapped.offsetHigh = 0;
  block->overlapped.event = block->event;
}

static void packInput(uint8_t* in, uint32_t command, uint32_t a, uint32_t b) {
  const uint32_t words[4] = {command, a, b, 0};
  for (int i = 0; i < 4; ++i)
    for (int k = 0; k < 4; ++k) in[i * 4 + k] = static_cast<uint8_t>(words[i] >> (8 * k));
}

int startCopy(CompletionRoutine completion, uint32_t capacity) {
  RequestBlock* block = queAlloc(capacity);
  if (!block) {
    printDiagnostic("queAlloc() returns %ld\n", asLong32(kErrorNotEnoughMemory));
    return -1;
  }
  prepareDeviceBlock(block, completion);
  uint8_t in[16];
  packInput(in, kDbgCopyLogs, g_settings.copyThreshold, g_settings.period);
  uint32_t rc = deviceIoControl(currentDevice(), kIoctlDebug, in, sizeof in, block->data, capacity,
                                &block->overlapped);
  if (rc == kErrorSuccess) {
    uint32_t bytes = block->overlapped.bytes;
    if (bytes == 0) {
      printDiagnostic("ioctl(DBG_COPY_LOGS) ==> 0 bytes\n");
      queFree(block);
      return -1;
    }
    if (g_copyNesting >= kMaxCopyNesting) {
      queFree(block);
      return -1;
    }
    ++g_copyNesting;
    completion(block, bytes);
    --g_copyNesting;
    return static_cast<int>(bytes);
  }
  if (rc == kErrorNoSystemResources) {
    printDiagnostic("ioctl(DBG_COPY_LOGS) ==> ERROR_NO_SYSTEM_RESOURCES\n");
    if (g_copyNesting >= kMaxCopyNesting) {
      queFree(block);
      return -1;
    }
    ++g_copyNesting;
    completion(block, 0);
    --g_copyNesting;
    return 0;
  }
  if (rc == kErrorIoPending) {
    quePending(block);
    return 0;
  }
  printDiagnostic("ioctl(DBG_COPY_LOGS) ==> %ld\n", asLong32(rc));
  queFree(block);
  return -1;
}

void startFlush() {
  RequestBlock* block = queAlloc(0);
  if (!block) {
    printDiagnostic("queAlloc() returns %ld\n", asLong32(kErrorNotEnoughMemory));
    return;
  }
  prepareDeviceBlock(block, releaseBlock);
  uint8_t in[16];
  packInput(in, kDbgFlushLogs, 0, 0);
  uint32_t rc = deviceIoControl(currentDevice(), kIoctlDebug, in, sizeof in, nullptr, 0, &block->overlapped);
  if (rc == kErrorSuccess) {
    releaseBlock(block, 0);
  } else if (rc == kErrorIoPending) {
    quePending(block);
  } else {
    printDiagnostic("ioctl(DBG_FLUSH_LOGS) ==> %ld\n", asLong32(rc));
    queFree(block);
  }
}

void consumeRecords(uint8_t* data, uint32_t length) {
  size_t count = length;
  if (g_settings.monitor != 0)
    monitorRecords(nullptr, data, count);
  else
    recordLoop(data, count);
  if (count != 0) printDiagnostic("reply ends in an incomplete record, %ld bytes not shown\n", asLong32(count));
}

void copyCompleted(RequestBlock* block, uint32_t bytes) {
  // The driver gets its next buffer before this reply is looked at.
  startCopy(copyCompleted, g_settings.bufferSize);
  block->length = bytes;
  if (!rawFileIsOpen()) {
    if (bytes) consumeRecords(block->data, bytes);
    queFree(block);
    return;
  }
  rawFileWrapCheck();
  rawFileQueueBlock(block);
}

// Of the pending blocks whose operations have finished, the one that
// finished first. The driver fills requests in the order of its data, so
// serving the newest block first (the wait's lowest position) would store
// and print replies out of order when several finish at once.
static RequestBlock* firstFinished(RequestBlock* signalled, int count) {
  RequestBlock* best = signalled;
  for (int i = 0; i < count; ++i) {
    RequestBlock* b = pendingAt(i);
    if (!b || !b->overlapped.finished.load(std::memory_order_acquire)) continue;
    if (!best->overlapped.finished.load(std::memory_order_acquire) ||
        b->overlapped.finishOrder < best->overlapped.finishOrder)
      best = b;
  }
  return best;
}

// Collects one finished operation after the wait reported waitResult.
static void completeAt(uint32_t waitResult, int count) {
  RequestBlock* block = waitResult < static_cast<uint32_t>(count) ? pendingAt(static_cast<int>(waitResult)) : nullptr;
  if (block) block = firstFinished(block, count);
  if (!block) {
    printDiagnostic("WaitForMO(%ld,,,%ld) = %ld ==> %ld\n", asLong32(count), asLong32(g_settings.period),
                    asLong32(waitResult), asLong32(lastSystemError()));
    terminate(1);
  }
  uint32_t bytes = 0, error = 0;
  bool ok = overlappedResult(&block->overlapped, bytes, error);
  queUnpend(block);
  if (!ok) {
    // Here the driver's verdict on a copy arrives with its reply; a lack of
    // resources is an empty reply, as when it is reported at once.
    if (block->completion == copyCompleted && error == kErrorNoSystemResources) {
      printDiagnostic("ioctl(DBG_COPY_LOGS) ==> ERROR_NO_SYSTEM_RESOURCES\n");
      copyCompleted(block, 0);
      return;
    }
    printDiagnostic("GetOverlappedResult() ==> %ld\n", asLong32(error));
    terminate(1);
  }
  block->completion(block, bytes);
}

static bool endKeyTyped() {
  int key = keyboardPoll();
  return key == kKeyEscape || key == kKeyControlC;
}

void captureLoop() {
  // With remarks the remark thread owns standard input in line mode.
  bool keys = g_settings.remarksTag == nullptr && keyboardBegin();
  while (pendingCount() <= static_cast<int>(g_settings.extraCopies))
    if (startCopy(copyCompleted, g_settings.bufferSize) == -1) terminate(1);
  PlatformEvent* events[kMaxWaitEvents];
  int count = pendingEvents(events, kMaxWaitEvents);
  while (count > 0) {
    if (stopEventSignalled()) terminate(0);
    uint32_t rc = eventWaitAny(events, count, g_settings.period);
    if (rc == kWaitTimeout)
      startFlush();
    else
      completeAt(rc, count);
    // Keys are looked at after every wait, not only after idle ones, so that
    // Escape also ends a capture that never goes idle.
    if (keys && endKeyTyped()) break;
    count = pendingEvents(events, kMaxWaitEvents);
  }
  keyboardRestore();
}
