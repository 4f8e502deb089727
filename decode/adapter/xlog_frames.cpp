// Frames on the B, D and X channels, signalling events with data and
// firmware debug codes: a head text, then the bounded frame dump.
#include <cstdio>

#include "decode/adapter/xlog.h"
#include "decode/adapter/xlog_codes.h"
#include "decode/adapter/xlog_text.h"

namespace {

// "-%c(%03d)", after the channel letter (and number).
void addFrameHead(TextBuf& line, char dir, unsigned n) {
  char head[3] = {'-', dir, '('};
  line.addBytes(head, 3);
  xlogAddDec(line, static_cast<int>(n), 3);
  line.addChar(')');
}

}  // namespace

void xlogAddDump(TextBuf& line, ByteView data, unsigned n) {
  ByteView shown = data.sub(0, n < kXlogDumpLimit ? n : kXlogDumpLimit);
  xlogAddHexRun(line, shown.data, shown.size);
  if (n > kXlogDumpLimit) line.addText(" cont");
}

void xlogDumpBytes(FILE* out, ByteView data, unsigned n) {
  FixedText<128> line;
  xlogAddDump(line, data, n);
  std::fputs(line.str(), out);
}

void xlogPrintBChannel(FILE* out, ByteView e) {
  char dir = e.u8(0) == 1 ? 'X' : 'R';
  int channel = e.s8(1);
  unsigned n = e.le16(2);
  FixedText<256> line;
  line.addChar('B');
  if (channel) line.add("%d", channel);
  addFrameHead(line, dir, n);
  xlogAddDump(line, e.sub(4), n);
  std::fputs(line.str(), out);
}

void xlogPrintFrame(FILE* out, ByteView e) {
  uint8_t code = e.u8(0);
  char channel = code <= 4 ? 'D' : 'X';
  char dir = (code == 3 || code == 12) ? 'X' : 'R';  // sent : received
  unsigned n = e.le16(2);
  FixedText<256> line;
  line.addChar(channel);
  addFrameHead(line, dir, n);
  xlogAddDump(line, e.sub(4), n);
  std::fputs(line.str(), out);
}

void xlogPrintSigEvent(FILE* out, ByteView e) {
  unsigned n = e.le16(4);
  FixedText<256> line;
  line.addText("SIG-EVENT(");
  xlogAddDec(line, static_cast<int>(n), 3);
  line.addChar(')');
  xlogAddHex(line, e.le16(2), 4, true);
  line.addText(" -");
  xlogAddDump(line, e.sub(6), n);
  std::fputs(line.str(), out);
}

void xlogPrintDebugCode(FILE* out, ByteView e) {
  FixedText<256> line;
  line.addText("DEBUG");
  xlogAddHex(line, e.le16(2), 4, true);
  line.addText(" -");
  xlogAddDump(line, e.sub(6), e.le16(4));
  std::fputs(line.str(), out);
}
