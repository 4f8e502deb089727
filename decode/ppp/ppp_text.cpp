// Copies of frame bytes into the frame text.
#include "decode/ppp/ppp_decode.h"

void pppPrintable(TextBuf& text, ByteView bytes) {
  for (size_t i = 0; i < bytes.size && !text.cut; ++i) {
    uint8_t c = bytes.u8(i) & 0x7F;
    text.addChar((c < 0x20 || c == 0x7F) ? '.' : static_cast<char>(c));
  }
}

void pppAppendQuoted(TextBuf& text, ByteView bytes) {
  text.addText(" - '");
  pppPrintable(text, bytes);
  text.addChar('\'');
}

void pppAppendNameQuoted(TextBuf& text, ByteView bytes) {
  text.addText(" '");
  pppPrintable(text, bytes);
  text.addChar('\'');
}

void pppAppendRaw(TextBuf& text, ByteView bytes) {
  size_t n = bytes.strLen(0);
  if (n) text.addBytes(reinterpret_cast<const char*>(bytes.data), n);
}
