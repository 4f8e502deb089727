// Remarks: a thread reads lines from standard input and sends each, behind
// the tag, to the driver, which puts it into the trace.
#include <csignal>
#include <cstdio>
#include <cstring>
#include <pthread.h>

#include "control/diag.h"
#include "control/settings.h"
#include "driver/driver.h"
#include "driver/remarks.h"
#include "driver/request_block.h"
#include "platform/device.h"
#include "platform/event.h"
#include "platform/syserror.h"

constexpr uint32_t kRemarkCapacity = 1024;

int sendLine(RequestBlock* block, uint32_t length) {
  eventReset(block->event);
  block->overlapped.offset = 0;
  block->overlapped.offsetHigh = 0;
  block->overlapped.event = block->event;
  block->target = kTargetDevice;
  block->handle = currentDevice();
  uint32_t rc = deviceIoControl(currentDevice(), kIoctlWriteLine, block->data, length, nullptr, 0,
                                &block->overlapped);
  if (rc == kErrorSuccess) return 1;
  if (rc != kErrorIoPending) {
    printDiagnostic("ioctl(WRITE_LINE) ==> %ld\n", asLong32(rc));
    return 0;
  }
  uint32_t wait = eventWait(block->event, kRequestWaitMs);
  if (wait == kWaitObject0) {
    uint32_t bytes = 0, error = 0;
    if (overlappedResult(&block->overlapped, bytes, error)) return 1;
    printDiagnostic("GetOverlappedResult() ==> %ld\n", asLong32(error));
    return 0;
  }
  if (wait == kWaitTimeout)
    printDiagnostic("WaitForSO(,500) ==> TOUT\n");
  else
    printDiagnostic("WaitForSO(,500) = %ld ==> %ld\n", asLong32(wait), asLong32(lastSystemError()));
  return 0;
}

size_t remarkPrefix(RequestBlock* block, const char* tag) {
  int n = std::snprintf(reinterpret_cast<char*>(block->data), block->capacity, "*** %s *** ", tag);
  if (n < 0) n = 0;
  // A tag too long for the block leaves room for at least one character.
  size_t most = block->capacity > 2 ? block->capacity - 2 : 0;
  size_t k = static_cast<size_t>(n) < most ? static_cast<size_t>(n) : most;
  block->data[k] = 0;
  return k;
}

void remarkLines(RequestBlock* block, FILE* in) {
  printDiagnostic("enter remarks\n");
  char* text = reinterpret_cast<char*>(block->data);
  size_t k = std::strlen(text);
  while (std::fgets(text + k, static_cast<int>(block->capacity - k), in)) {
    text[block->capacity - 1] = 0;
    text[k + std::strcspn(text + k, "\r\n")] = 0;
    sendLine(block, static_cast<uint32_t>(std::strlen(text) + 1));
  }
  printDiagnostic("end of remarks\n");
}

static void* remarkThread(void* arg) {
  remarkLines(static_cast<RequestBlock*>(arg), stdin);
  return nullptr;
}

void startRemarks() {
  RequestBlock* block = queAlloc(kRemarkCapacity);
  if (!block) {
    printDiagnostic("Could not allocate a request block\n");
    terminate(1);
  }
  remarkPrefix(block, g_settings.remarksTag ? g_settings.remarksTag : "");
  // Signals stay with the main thread, whose handlers end the program.
  sigset_t all, old;
  sigfillset(&all);
  pthread_sigmask(SIG_SETMASK, &all, &old);
  pthread_t thread;
  int rc = pthread_create(&thread, nullptr, remarkThread, block);
  pthread_sigmask(SIG_SETMASK, &old, nullptr);
  if (rc != 0) {
    printDiagnostic("_beginthread() ==> %ld\n", static_cast<long>(rc));
    terminate(1);
  }
  pthread_detach(thread);
}
