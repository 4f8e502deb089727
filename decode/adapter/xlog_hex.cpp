#include <cstdio>

#include "decode/adapter/xlog.h"
#include "decode/adapter/xlog_codes.h"

void xlogPrintHexRun(FILE* out, ByteView bytes) {
  static const char digits[] = "0123456789ABCDEF";
  char block[3 * 128];
  size_t used = 0;
  for (size_t i = 0; i < bytes.size; ++i) {
    uint8_t b = bytes.data[i];
    block[used++] = ' ';
    block[used++] = digits[b >> 4];
    block[used++] = digits[b & 15];
    if (used == sizeof block) {
      std::fwrite(block, 1, used, out);
      used = 0;
    }
  }
  if (used) std::fwrite(block, 1, used, out);
}

size_t xlogBoundedCount(ByteView e, size_t off, size_t n, bool* cut) {
  size_t avail = off < e.size ? e.size - off : 0;
  if (n > avail) {
    *cut = true;
    return avail;
  }
  return n;
}
