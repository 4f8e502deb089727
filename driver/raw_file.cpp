#include "driver/raw_file.h"

#include <cstdio>
#include <cstring>

#include "control/diag.h"
#include "control/settings.h"
#include "driver/driver.h"
#include "driver/request_block.h"
#include "platform/event.h"
#include "platform/file.h"
#include "platform/syserror.h"

static PlatformFile* g_file = nullptr;
static bool g_overlapped = true;
// 64 bits: a capture without -w may well pass 4 GiB, and a 32-bit position
// would then write over the start of the file.
static uint64_t g_position = 0;

bool rawFileIsOpen() { return g_file != nullptr; }
uint64_t rawFilePosition() { return g_position; }
const void* rawFileHandle() { return g_file; }

int openRawFile(bool overlapped) {
  const char* name = g_settings.rawOutputFile;
  if (!name) return -1;
  if (std::strlen(name) > kMaxRawNameLength) {
    // Its generation names would not fit; refuse rather than shorten it into
    // some other file's name.
    printDiagnostic("CreateFile(%s.3) ==> %ld\n", name, asLong32(kErrorFilenameTooLong));
    return -1;
  }
  char from[kMaxRawNameLength + 3], to[kMaxRawNameLength + 3];
  std::snprintf(from, sizeof from, "%s.N", name);
  std::snprintf(to, sizeof to, "%s.N", name);
  size_t digit = std::strlen(from) - 1;
  if (g_file) {
    fileClose(g_file);
    g_file = nullptr;
  }
  for (int d = 0; d < 3; ++d) {
    from[digit] = static_cast<char>('0' + d + 1);
    to[digit] = static_cast<char>('0' + d);
    uint32_t rc;
    if (overlapped) {
      rc = fileMoveReplace(from, to);
      if (rc != kErrorSuccess && rc != kErrorFileNotFound)
        printDiagnostic("MoveFileEx(%s,%s) ==> %ld\n", from, to, asLong32(rc));
    } else {
      fileDelete(to);
      rc = fileMove(from, to);
      if (rc != kErrorSuccess && rc != kErrorFileNotFound)
        printDiagnostic("MoveFile(%s,%s) ==> %ld\n", from, to, asLong32(rc));
    }
  }
  g_position = 0;
  from[digit] = '3';
  uint32_t error = 0;
  g_file = fileCreate(from, overlapped, error);
  if (!g_file) {
    printDiagnostic("CreateFile(%s) ==> %ld\n", from, asLong32(error));
    return -1;
  }
  g_overlapped = overlapped;
  return 0;
}

bool rawFileOpen(bool overlapped) { return openRawFile(overlapped) == 0; }

void rawFileClose() {
  PlatformFile* file = g_file;
  g_file = nullptr;
  fileClose(file);
}

void rawFileQueueBlock(RequestBlock* block) {
  block->target = kTargetFile;
  block->handle = g_file;
  block->completion = writeBlock;
  block->overlapped.offset = static_cast<uint32_t>(g_position);
  block->overlapped.offsetHigh = static_cast<uint32_t>(g_position >> 32);
  block->done = 0;
  g_position += block->length;
  writeBlock(block, 0);
}

void writeBlock(RequestBlock* block, uint32_t bytes) {
  for (;;) {
    block->length -= bytes < block->length ? bytes : block->length;
    block->done += bytes;
    if (block->length == 0) {
      queFree(block);
      return;
    }
    eventReset(block->event);
    uint64_t at = ((static_cast<uint64_t>(block->overlapped.offsetHigh) << 32) | block->overlapped.offset) + bytes;
    block->overlapped.offset = static_cast<uint32_t>(at);
    block->overlapped.offsetHigh = static_cast<uint32_t>(at >> 32);
    block->overlapped.event = block->event;
    PlatformFile* file = static_cast<PlatformFile*>(const_cast<void*>(block->handle));
    uint32_t written = 0;
    uint32_t rc = fileWrite(file, block->data + block->done, block->length,
                            g_overlapped ? &block->overlapped : nullptr, written);
    if (rc == kErrorSuccess) {
      if (written == 0) {
        queFree(block);
        return;
      }
      bytes = written;
      continue;
    }
    if (rc == kErrorIoPending && g_overlapped) {
      quePending(block);
      return;
    }
    printDiagnostic("WriteFile(,,%ld,,) ==> %ld\n", asLong32(block->length), asLong32(rc));
    terminate(1);
  }
}

void rawFileWrapCheck() {
  if (g_settings.wrapLimit == 0xFFFFFFFF || !g_file) return;
  if (g_position < g_settings.wrapLimit || pendingOn(g_file)) return;
  if (openRawFile(g_overlapped) != 0) {
    printDiagnostic("Terminate debugging\n");
    terminate(1);
  }
}
