// Cheap composition of the numbers that nearly every xlog line carries, so
// that a line costs one stream write instead of several printf calls.
#pragma once

#include <cstddef>
#include <cstdint>

#include "trace/textbuf.h"

// value in hexadecimal with at least minDigits digits, like "%02x" / "%04X".
inline void xlogAddHex(TextBuf& t, unsigned value, int minDigits, bool upper) {
  const char* digits = upper ? "0123456789ABCDEF" : "0123456789abcdef";
  char text[8];
  int n = 0;
  do {
    text[7 - n++] = digits[value & 15];
    value >>= 4;
  } while (value && n < 8);
  while (n < minDigits && n < 8) text[7 - n++] = '0';
  t.addBytes(text + 8 - n, static_cast<size_t>(n));
}

// "%02x"
inline void xlogAddHex2(TextBuf& t, unsigned value) { xlogAddHex(t, value, 2, false); }

// value in decimal, zero-padded to width, like "%03d".
inline void xlogAddDec(TextBuf& t, int value, int width) {
  if (value < 0) {
    t.add("%0*d", width, value);
    return;
  }
  char text[12];
  int n = 0;
  unsigned v = static_cast<unsigned>(value);
  do {
    text[11 - n++] = static_cast<char>('0' + v % 10);
    v /= 10;
  } while (v && n < 12);
  while (n < width && n < 12) text[11 - n++] = '0';
  t.addBytes(text + 12 - n, static_cast<size_t>(n));
}

// " %02X" for each byte, composed in blocks.
inline void xlogAddHexRun(TextBuf& t, const uint8_t* bytes, size_t n) {
  static const char digits[] = "0123456789ABCDEF";
  char block[3 * 32];
  size_t used = 0;
  for (size_t i = 0; i < n; ++i) {
    block[used] = ' ';
    block[used + 1] = digits[bytes[i] >> 4];
    block[used + 2] = digits[bytes[i] & 15];
    used += 3;
    if (used == sizeof block) {
      t.addBytes(block, used);
      used = 0;
    }
  }
  if (used) t.addBytes(block, used);
}
