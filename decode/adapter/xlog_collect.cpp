// The segment collector of codes 21 (signalling message) and 22 (signalling
// event): segments are joined until one with a non-zero W1 completes the
// message, which then goes to the signalling decoder or is dumped.
//
// Entry layout: qualifier = segment flags (bit 0: continuation, bits 1..7: a
// first segment), W1 = message kind or event word (0 while more segments
// follow), W2 = n, data at 6.
#include <cstdio>
#include <cstring>

#include "decode/adapter/q931.h"
#include "decode/adapter/xlog.h"
#include "decode/adapter/xlog_codes.h"

namespace {

XlogCollection g_collection;
XlogHandoffObserver g_observer = nullptr;

void startOver(XlogCollection& c) {
  c.length = 0;
  c.dropped = 0;
}

// Appends what fits into the collector and counts the rest as dropped.
void append(XlogCollection& c, ByteView data) {
  size_t room = kXlogCollectCapacity - c.length;
  size_t take = data.size < room ? data.size : room;
  if (take) std::memcpy(c.bytes + c.length, data.data, take);
  c.length = static_cast<uint16_t>(c.length + take);
  c.dropped += static_cast<uint32_t>(data.size - take);
}

void handOff(unsigned code, uint16_t w1) {
  if (g_observer) g_observer(code, w1, g_collection);
}

void printCompleted(FILE* out, unsigned code, uint16_t w1) {
  const XlogCollection& c = g_collection;
  unsigned kind = w1 & 0xFF;
  if (code == 21 && kind == 1) {
    handOff(code, w1);
    q931DecodeSigMessage(out, c);
  } else if (code == 22 && kind == 1) {
    handOff(code, w1);
    q931DecodeCallEvent(out, c, w1);
  } else if (code == 22 && kind == 2) {
    handOff(code, w1);
    q931DecodeSpidEvent(out, c, w1);
  } else {
    std::fprintf(out, code == 21 ? "MSG%04X -" : "EVENT%04X -", w1);
    xlogPrintHexRun(out, ByteView(c.bytes, c.length));
  }
  if (c.dropped) std::fputs(" cont", out);
}

}  // namespace

void xlogCollectSegment(FILE* out, ByteView e) {
  XlogCollection& c = g_collection;
  uint16_t codeWord = e.le16(0);
  uint8_t flags = e.u8(1);
  uint16_t w1 = e.le16(2);
  bool cut = false;

  if ((flags & 1) && codeWord != (c.codeWord | 0x0100)) {
    // A continuation of some other message: what was collected is dropped.
    std::fputs("MORE", out);
    c.codeWord = e.u8(0);
    startOver(c);
    return;
  }
  if (!(flags & 1) && (flags & 0xFE)) startOver(c);
  size_t n = xlogBoundedCount(e, 6, e.le16(4), &cut);
  append(c, e.sub(6, n));
  c.codeWord = codeWord;
  if (w1 == 0) {
    std::fputs("MORE", out);
  } else {
    printCompleted(out, e.u8(0), w1);
    startOver(c);
  }
  if (cut) std::fputs(kXlogLengthError, out);
}

const XlogCollection& xlogCollection() { return g_collection; }

void xlogSetHandoffObserver(XlogHandoffObserver observer) { g_observer = observer; }

void xlogResetCollector() {
  g_collection.codeWord = 0;
  startOver(g_collection);
  std::memset(g_collection.bytes, 0, sizeof g_collection.bytes);
}
