// Connection table: 256 slots on a circular doubly linked list through slot 0
// (the head; after it the most recently used, before it the least recently
// used) and an index from controller/PLCI to slot. A slot is free (controller
// 0), pending (controller, PLCI 0, reached through the list only) or bound
// (entered in the index).
#include "decode/capi/capi_conn.h"

#include <cstring>

namespace {

struct ConnSlot {
  uint8_t next;
  uint8_t prev;
  uint8_t controller;
  uint8_t plci;
  uint8_t b3;
};

struct ConnTable {
  bool ready;
  ConnSlot slot[256];
  uint8_t index[128][256];
};

ConnTable g_conn;

unsigned keyController(uint32_t a) { return a & 0x7Fu; }
unsigned keyPlci(uint32_t a) { return (a >> 8) & 0xFFu; }

// Initialises the table on first use; false when it had to, so the caller
// treats its key as having no slot.
bool ready() {
  if (g_conn.ready) return true;
  std::memset(&g_conn, 0, sizeof g_conn);
  for (unsigned i = 0; i < 256; ++i) {
    g_conn.slot[i].next = static_cast<uint8_t>(i + 1);
    g_conn.slot[i].prev = static_cast<uint8_t>(i - 1);
  }
  g_conn.ready = true;
  return false;
}

void unlink(uint8_t s) {
  ConnSlot& c = g_conn.slot[s];
  g_conn.slot[c.prev].next = c.next;
  g_conn.slot[c.next].prev = c.prev;
}

void insertAfter(uint8_t at, uint8_t s) {
  ConnSlot& c = g_conn.slot[s];
  c.prev = at;
  c.next = g_conn.slot[at].next;
  g_conn.slot[c.next].prev = s;
  g_conn.slot[at].next = s;
}

void moveToFront(uint8_t s) {
  unlink(s);
  insertAfter(0, s);
}

void moveToBack(uint8_t s) {
  unlink(s);
  insertAfter(g_conn.slot[0].prev, s);
}

uint8_t& indexOf(unsigned controller, unsigned plci) { return g_conn.index[controller & 0x7F][plci & 0xFF]; }

// The key's bound slot, 0 when none.
uint8_t lookup(uint32_t a) {
  if (!ready()) return 0;
  if (keyController(a) == 0 || keyPlci(a) == 0) return 0;
  return indexOf(keyController(a), keyPlci(a));
}

void release(uint8_t s) {
  ConnSlot& c = g_conn.slot[s];
  indexOf(c.controller, c.plci) = 0;
  c.controller = 0;
  c.plci = 0;
  moveToBack(s);
}

}  // namespace

void capiConnTouch(uint32_t addressing) {
  if (uint8_t s = lookup(addressing)) moveToFront(s);
}

void capiConnRememberB3(uint32_t addressing, unsigned b3Protocol) {
  uint8_t s = lookup(addressing);
  if (s) {
    moveToFront(s);
  } else {
    s = g_conn.slot[0].prev;
    ConnSlot& c = g_conn.slot[s];
    if (c.controller && c.plci && indexOf(c.controller, c.plci) == s) indexOf(c.controller, c.plci) = 0;
    c.controller = static_cast<uint8_t>(keyController(addressing));
    c.plci = static_cast<uint8_t>(keyPlci(addressing));
    // A key without a controller leaves the slot free where it stands.
    if (c.controller) {
      if (c.plci) indexOf(c.controller, c.plci) = s;
      moveToFront(s);
    }
  }
  g_conn.slot[s].b3 = static_cast<uint8_t>(b3Protocol);
}

void capiConnBind(uint32_t addressing) {
  if (uint8_t s = lookup(addressing)) {
    release(s);
    return;
  }
  unsigned controller = keyController(addressing), plci = keyPlci(addressing);
  if (controller == 0 || plci == 0) return;
  uint8_t found = 0;
  for (uint8_t s = g_conn.slot[0].next; s != 0 && g_conn.slot[s].controller != 0; s = g_conn.slot[s].next)
    if (g_conn.slot[s].controller == controller && g_conn.slot[s].plci == 0) found = s;
  if (!found) return;
  g_conn.slot[found].plci = static_cast<uint8_t>(plci);
  indexOf(controller, plci) = found;
  moveToFront(found);
}

void capiConnRelease(uint32_t addressing) {
  if (uint8_t s = lookup(addressing)) release(s);
}

unsigned capiConnB3Protocol(uint32_t addressing) {
  uint8_t s = lookup(addressing);
  return s ? g_conn.slot[s].b3 : 0;
}

void capiConnReset() { g_conn.ready = false; }
