#include "driver/request_block.h"

#include <cstdlib>
#include <new>

#include "platform/event.h"

static RequestBlock* g_freeHead = nullptr;
static RequestBlock* g_freeTail = nullptr;
static RequestBlock* g_pendingHead = nullptr;
static RequestBlock* g_allHead = nullptr;

// Unlinks block from the singly linked list at head; true when it was there.
static bool unlink(RequestBlock*& head, RequestBlock* block, RequestBlock** tail = nullptr) {
  RequestBlock* prev = nullptr;
  for (RequestBlock* b = head; b; prev = b, b = b->link) {
    if (b != block) continue;
    if (prev)
      prev->link = b->link;
    else
      head = b->link;
    if (tail && *tail == b) *tail = prev;
    b->link = nullptr;
    return true;
  }
  return false;
}

RequestBlock* queAlloc(uint32_t capacity) {
  RequestBlock* prev = nullptr;
  for (RequestBlock* b = g_freeHead; b; prev = b, b = b->link) {
    if (b->capacity < capacity) continue;
    if (prev)
      prev->link = b->link;
    else
      g_freeHead = b->link;
    if (g_freeTail == b) g_freeTail = prev;
    b->link = nullptr;
    b->length = 0;
    b->done = 0;
    return b;
  }
  // The header and the data area in one allocation, as the block's life is
  // the run's.
  void* mem = std::malloc(sizeof(RequestBlock) + capacity);
  if (!mem) return nullptr;
  RequestBlock* block = new (mem) RequestBlock;
  block->event = eventCreate();
  if (!block->event) {
    block->~RequestBlock();
    std::free(mem);
    return nullptr;
  }
  block->capacity = capacity;
  block->data = reinterpret_cast<uint8_t*>(block + 1);
  block->allNext = g_allHead;
  g_allHead = block;
  return block;
}

void queFree(RequestBlock* block) {
  if (!block) return;
  for (RequestBlock* b = g_freeHead; b; b = b->link)
    if (b == block) return;  // freed twice: a second link would make a cycle
  unlink(g_pendingHead, block);
  block->link = nullptr;
  if (g_freeTail)
    g_freeTail->link = block;
  else
    g_freeHead = block;
  g_freeTail = block;
}

void queReleaseAll() {
  for (RequestBlock* b = g_freeHead; b; b = b->link) b->releasing = true;
  for (RequestBlock* b = g_pendingHead; b; b = b->link) b->releasing = true;
  RequestBlock** at = &g_allHead;
  while (*at) {
    RequestBlock* b = *at;
    if (b->releasing) {
      *at = b->allNext;
      eventClose(b->event);
      b->~RequestBlock();
      std::free(b);
    } else {
      at = &b->allNext;
    }
  }
  g_freeHead = g_freeTail = nullptr;
  g_pendingHead = nullptr;
}

void quePending(RequestBlock* block) {
  if (queIsPending(block)) return;
  block->link = g_pendingHead;
  g_pendingHead = block;
}

bool queIsPending(const RequestBlock* block) {
  for (RequestBlock* b = g_pendingHead; b; b = b->link)
    if (b == block) return true;
  return false;
}

RequestBlock* pendingAt(int i) {
  if (i < 0) return nullptr;
  RequestBlock* b = g_pendingHead;
  while (b && i-- > 0) b = b->link;
  return b;
}

int pendingEvents(PlatformEvent** events, int n) {
  int count = 0;
  for (RequestBlock* b = g_pendingHead; b && count < n; b = b->link) events[count++] = b->event;
  return count;
}

bool pendingOn(const void* handle) {
  for (RequestBlock* b = g_pendingHead; b; b = b->link)
    if (b->handle == handle) return true;
  return false;
}

int pendingCount() {
  int n = 0;
  for (RequestBlock* b = g_pendingHead; b; b = b->link) ++n;
  return n;
}

int freeCount() {
  int n = 0;
  for (RequestBlock* b = g_freeHead; b; b = b->link) ++n;
  return n;
}

void queUnpend(RequestBlock* block) { unlink(g_pendingHead, block); }
