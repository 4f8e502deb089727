// Adapter trace (xlog) entries.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "trace/byteview.h"

// The zero-padded entry copy handed to the xlog and CAPI decoders.
constexpr size_t kEntryCopySize = 2150;

// Segment collector for codes 21 and 22; what the Q.931 decoder receives.
// Segments that would grow the collection past the capacity keep the bytes
// that fit; the rest is counted in `dropped` and the completed message is
// marked " cont".
constexpr size_t kXlogCollectCapacity = 2150;
struct XlogCollection {
  uint16_t codeWord = 0;
  uint16_t length = 0;  // collected bytes, never above kXlogCollectCapacity
  uint8_t bytes[kXlogCollectCapacity] = {};
  uint32_t dropped = 0;  // bytes lost to the capacity since the collection began
};

// Frame dumps show at most this many bytes.
constexpr unsigned kXlogDumpLimit = 30;

// Printed at the end of an entry's text when a count field claims more bytes
// than the entry copy holds: the bytes inside the copy are shown, the rest
// never reached the trace.
constexpr const char* kXlogLengthError = " length error";

// Prints one entry (entry holds kEntryCopySize bytes), ending with "\n".
void xlogDecodeEntry(FILE* out, const uint8_t* entry);

// The bounded dump: min(n, 30) bytes as " %02X", then " cont" when n is
// larger; nothing for n = 0.
void xlogDumpBytes(FILE* out, ByteView data, unsigned n);

// The process-wide segment collector (read-only; for tests).
const XlogCollection& xlogCollection();
// Clears the collector and the register area (tests only).
void xlogResetState();

// Test hook: called with the collection just before a completed message or
// event goes to the signalling decoder (code 21 or 22, the completing W1).
using XlogHandoffObserver = void (*)(unsigned code, uint16_t w1, const XlogCollection& c);
void xlogSetHandoffObserver(XlogHandoffObserver observer);
