// Request blocks: heap blocks that each carry one overlapped operation on the
// device or the raw file, with the free list (reuse) and the pending list
// (operations whose completion is still to be collected).
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/overlapped.h"

struct PlatformEvent;
struct RequestBlock;

using CompletionRoutine = void (*)(RequestBlock* block, uint32_t bytes);

// What a block's operation runs on.
enum BlockTarget : int { kTargetNone = 0, kTargetDevice = 1, kTargetFile = 2 };

struct RequestBlock {
  RequestBlock* link = nullptr;
  RequestBlock* allNext = nullptr;  // every block of the run, whatever list holds it
  bool releasing = false;
  BlockTarget target = kTargetNone;
  const void* handle = nullptr;  // the device or the file the operation runs on
  PlatformEvent* event = nullptr;
  Overlapped overlapped;
  CompletionRoutine completion = nullptr;
  uint32_t done = 0;      // bytes of the data area already written to the file
  uint32_t length = 0;    // bytes held in the data area
  uint32_t capacity = 0;  // size of the data area
  uint8_t* data = nullptr;
};

// The first free block of at least capacity bytes (0: any free block), else a
// new one; nullptr when memory or its event cannot be had.
RequestBlock* queAlloc(uint32_t capacity);
// Puts the block at the end of the free list (off the pending list first).
void queFree(RequestBlock* block);
// Returns every block, free and pending, to the heap (at termination).
// Blocks held by running code (the remark thread's, one being completed)
// stay allocated, still known, until the process ends.
void queReleaseAll();

// Puts the block at the front of the pending list.
void quePending(RequestBlock* block);
bool queIsPending(const RequestBlock* block);
// The block at position i of the pending list (0 = front), or nullptr.
RequestBlock* pendingAt(int i);
// Writes the events of up to n pending blocks, from the front, into events.
int pendingEvents(PlatformEvent** events, int n);
// True when a pending block's operation runs on handle.
bool pendingOn(const void* handle);

// Counts for tests and the capture's bookkeeping.
int pendingCount();
int freeCount();

// Takes the block off the pending list (its operation has finished).
void queUnpend(RequestBlock* block);
