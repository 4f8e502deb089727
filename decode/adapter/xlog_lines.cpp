// One-line status entries: layer-2 primitives and errors, task transfers and
// messages, I/O requests, layer-1 states and plain texts.
#include <cstdio>

#include "decode/adapter/xlog_codes.h"
#include "decode/adapter/xlog_names.h"
#include "decode/adapter/xlog_text.h"

namespace {

// The zero-terminated text at off, never beyond the view.
void printText(FILE* out, ByteView e, size_t off) {
  std::fwrite(e.data + off, 1, e.strLen(off), out);
}

}  // namespace

void xlogPrintL2Primitive(FILE* out, ByteView e) {
  const char* kind = e.u8(0) == 6 ? "IND" : "REQ";
  const char* name = xlogL2PrimitiveName(e.le16(2));
  std::fputs(name ? name : "UNKNOWN LL", out);
  std::fputc(' ', out);
  std::fputs(kind, out);
}

void xlogPrintMdlError(FILE* out, ByteView e) {
  FixedText<256> line;
  for (size_t i = 2; i < 4 && e.u8(i); ++i) line.addChar(static_cast<char>(e.u8(i)));
  std::fprintf(out, "MDL-ERROR(%s)", line.str());
}

void xlogPrintTaskTransfer(FILE* out, ByteView e) {
  std::fprintf(out, e.u8(0) == 10 ? "UTASK->PC(%02X)" : "PC->UTASK(%02X)", e.le16(2));
}

void xlogPrintTaskMessage(FILE* out, ByteView e) {
  std::fprintf(out, "TASK %02i: ", e.le16(2));
  if (e.size > 6) printText(out, e, 6);
}

void xlogPrintIoRequest(FILE* out, ByteView e) {
  FixedText<32> line;
  line.addText(e.u8(0) == 18 ? "IO-REQ " : "IO-CON ");
  xlogAddHex(line, e.le16(2), 2, false);
  std::fputs(line.str(), out);
}

void xlogPrintL1State(FILE* out, ByteView e) {
  unsigned state = e.le16(2);
  if (const char* name = xlogL1StateName(state))
    std::fputs(name, out);
  else
    std::fprintf(out, "UNKNOWN L1 STATE (0x%04x)", state);
}

void xlogPrintText(FILE* out, ByteView e) {
  if (e.size > 2) printText(out, e, 2);
}
