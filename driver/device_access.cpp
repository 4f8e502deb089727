// Opening the device, the synchronous request of the one-shot commands and
// the delivery of their replies.
#include <cstdio>

#include "control/diag.h"
#include "control/settings.h"
#include "driver/capture.h"
#include "driver/driver.h"
#include "driver/raw_file.h"
#include "driver/request_block.h"
#include "monitor/monitor.h"
#include "platform/device.h"
#include "platform/event.h"
#include "platform/syserror.h"
#include "trace/interp.h"

static PlatformDevice* g_device = nullptr;
static int g_deviceOpens = 0;

PlatformDevice* currentDevice() { return g_device; }

void openDevice(const char* name) {
  if (g_device || !name) return;
  uint32_t error = 0;
  g_device = deviceOpen(name, error);
  if (!g_device) {
    printDiagnostic("CreateFile(%s) ==> %ld\n", name, asLong32(error));
    terminate(1);
  }
  ++g_deviceOpens;
}

void closeDevice() {
  PlatformDevice* device = g_device;
  g_device = nullptr;
  deviceClose(device);
}

uint32_t requestLength(const RequestBlock* block) { return block ? block->length : 0; }
uint8_t* requestData(RequestBlock* block) { return block ? block->data : nullptr; }

// Waits for a block's pending operation at most kRequestWaitMs; the bytes it
// transferred, or the end of the program with the wait's message.
// rejected is set (and the program goes on) when the driver answered with the
// invalid-parameter code and the caller accepts that.
static uint32_t awaitBlock(RequestBlock* block, bool* rejected) {
  uint32_t rc = eventWait(block->event, kRequestWaitMs);
  if (rc == kWaitTimeout) {
    printDiagnostic("WaitForSO(,500) ==> TOUT\n");
    terminate(1);
  }
  if (rc != kWaitObject0) {
    printDiagnostic("WaitForSO(,500) = %ld ==> %ld\n", asLong32(rc), asLong32(lastSystemError()));
    terminate(1);
  }
  uint32_t bytes = 0, error = 0;
  if (!overlappedResult(&block->overlapped, bytes, error)) {
    // The driver's verdict arrives with its reply here, so a rejection is
    // seen at this point rather than when the request is issued.
    if (rejected && error == kErrorInvalidParameter) {
      *rejected = true;
      return 0;
    }
    printDiagnostic("GetOverlappedResult() ==> %ld\n", asLong32(error));
    terminate(1);
  }
  return bytes;
}

RequestBlock* driverRequest(uint32_t capacity, const uint32_t input[4], const char* requestName) {
  RequestBlock* block = queAlloc(capacity);
  if (!block) {
    printDiagnostic("queAlloc() returns %ld\n", asLong32(kErrorNotEnoughMemory));
    terminate(1);
  }
  eventReset(block->event);
  block->overlapped.offset = 0;
  block->overlapped.offsetHigh = 0;
  block->overlapped.event = block->event;
  block->target = kTargetDevice;
  block->handle = g_device;
  block->length = 0;
  uint8_t in[16];
  for (int i = 0; i < 4; ++i)
    for (int b = 0; b < 4; ++b) in[i * 4 + b] = static_cast<uint8_t>(input[i] >> (8 * b));
  uint32_t rc = deviceIoControl(g_device, kIoctlDebug, in, sizeof in, block->data, block->capacity,
                                &block->overlapped);
  if (rc == kErrorSuccess) {
    block->length = block->overlapped.bytes;
    return block;
  }
  if (rc == kErrorInvalidParameter) {
    queFree(block);
    return nullptr;
  }
  if (rc != kErrorIoPending) {
    printDiagnostic("ioctl(%s) ==> %ld\n", requestName, asLong32(rc));
    terminate(1);
  }
  bool rejected = false;
  block->length = awaitBlock(block, &rejected);
  if (rejected) {
    queFree(block);
    return nullptr;
  }
  return block;
}

void deliverResult(RequestBlock* block) {
  if (!rawFileIsOpen()) {
    consumeRecords(block->data, block->length);
    queFree(block);
    return;
  }
  rawFileQueueBlock(block);
  while (queIsPending(block)) {
    uint32_t bytes = awaitBlock(block, nullptr);
    writeBlock(block, bytes);
  }
}
