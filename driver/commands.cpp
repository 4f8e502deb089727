// The one-shot commands: driver list, debug mask, single copy of the
// driver's buffer, and the driver lookup by name.
#include <cstring>

#include "control/diag.h"
#include "control/settings.h"
#include "driver/driver.h"
#include "driver/request_block.h"
#include "trace/byteview.h"
#include "trace/record.h"

// A reply shorter than this holds not even one whole record worth printing.
constexpr uint32_t kMinReply = 24;
constexpr uint32_t kListCapacity = 4096;

void listDrivers() {
  const uint32_t input[4] = {kDbgListDrvs, 0, 0, 0};
  RequestBlock* block = driverRequest(kListCapacity, input, "DBG_LIST_DRVS");
  if (!block || block->length < kMinReply) {
    printDiagnostic("no drivers registered !\n");
    terminate(1);
  }
  deliverResult(block);
}

void maskCommand() {
  uint16_t id = g_settings.driverId;
  if (id == kNoDriver) return;
  bool get = g_settings.debugMask == kMaskGet;
  uint32_t input[4] = {get ? kDbgGetMask : kDbgSetMask, id, get ? kMaskGet : (g_settings.debugMask | 3u), 0};
  RequestBlock* block = driverRequest(kListCapacity, input, get ? "DBG_GET_MASK" : "DBG_SET_MASK");
  if (!block) {
    printDiagnostic("driver <%d> not registered\n", static_cast<int>(id));
    terminate(1);
  }
  if (!get) terminate(0);
  if (block->length < kMinReply) {
    printDiagnostic("driver <%d> I/O error, get %ld bytes\n", static_cast<int>(id), asLong32(block->length));
    terminate(1);
  }
  deliverResult(block);
}

void oneShotCopy() {
  const uint32_t input[4] = {kDbgCopyLogs, 0, 0, 0};
  RequestBlock* block = driverRequest(g_settings.bufferSize, input, "DBG_COPY_LOGS");
  if (!block || block->length < kMinReply) {
    printDiagnostic("debug buffer empty !\n");
    terminate(1);
  }
  deliverResult(block);
}

uint16_t lookupDriver(const char* prefix) {
  openDevice(g_settings.deviceName);
  const uint32_t input[4] = {kDbgListDrvs, 0, 0, 0};
  RequestBlock* block = driverRequest(kListCapacity, input, "DBG_SEARCH_DRVS");
  if (!block || block->length < kMinReply) {
    printDiagnostic("no drivers registered !\n");
    terminate(1);
  }
  ByteView reply(block->data, block->length);
  size_t prefixLength = std::strlen(prefix);
  uint16_t found = kNoDriver;
  for (size_t at = 0; reply.size - at >= kRecordHeaderSize;) {
    ByteView rec = reply.sub(at);
    DebugRecord header = recordFromBytes(rec.data);
    size_t length = recordLength(header.length);
    if (length > kMaxRecordSize || length > rec.size) break;
    if (header.messageType() == kMsgText && header.length >= prefixLength &&
        std::memcmp(header.payload, prefix, prefixLength) == 0) {
      found = header.driverId;
      break;
    }
    at += length;
  }
  queFree(block);
  return found;
}

void selectDriverByName(const char* const* prefixes, int count) {
  for (int i = 0; i < count; ++i) {
    uint16_t id = lookupDriver(prefixes[i]);
    if (id != kNoDriver) {
      g_settings.driverId = id;
      return;
    }
  }
}
