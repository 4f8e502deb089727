// Frames on the B, D and X channels, signalling events with data and
// firmware debug codes: a head text, then the bounded frame dump.
#include <cstdio>

#include "decode/adapter/xlog.h"
#include "decode/adapter/xlog_codes.h"

void xlogPrintBChannel(FILE* out, ByteView e) {
  char dir = e.u8(0) == 1 ? 'X' : 'R';
  int channel = e.s8(1);
  unsigned n = e.le16(2);
  if (channel)
    std::fprintf(out, "B%d-%c(%03d)", channel, dir, static_cast<int>(n));
  else
    std::fprintf(out, "B-%c(%03d)", dir, static_cast<int>(n));
  xlogDumpBytes(out, e.sub(4), n);
}

void xlogPrintFrame(FILE* out, ByteView e) {
  uint8_t code = e.u8(0);
  char channel = code <= 4 ? 'D' : 'X';
  char dir = (code == 3 || code == 12) ? 'X' : 'R';  // sent : received
  unsigned n = e.le16(2);
  std::fprintf(out, "%c-%c(%03d)", channel, dir, static_cast<int>(n));
  xlogDumpBytes(out, e.sub(4), n);
}

void xlogPrintSigEvent(FILE* out, ByteView e) {
  unsigned n = e.le16(4);
  std::fprintf(out, "SIG-EVENT(%03d)%04X -", static_cast<int>(n), e.le16(2));
  xlogDumpBytes(out, e.sub(6), n);
}

void xlogPrintDebugCode(FILE* out, ByteView e) {
  std::fprintf(out, "DEBUG%04X -", e.le16(2));
  xlogDumpBytes(out, e.sub(6), e.le16(4));
}
