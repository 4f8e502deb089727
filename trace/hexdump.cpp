#include "trace/hexdump.h"

#include <cstring>

void hexDumpLine(FILE* out, const uint8_t* bytes, unsigned offset, long count) {
  if (count <= 0) return;
  static const char digits[] = "0123456789ABCDEF";
  char line[80];
  std::memset(line, ' ', sizeof line);
  // "\n  0x%04x  " by hand: the offset of a dumped payload stays below 0x10000.
  static const char lower[] = "0123456789abcdef";
  std::memcpy(line, "\n  0x", 5);
  for (int i = 0; i < 4; ++i) line[5 + i] = lower[(offset >> (12 - 4 * i)) & 15];
  int n = count < 16 ? static_cast<int>(count) : 16;
  for (int i = 0; i < n; ++i) {
    uint8_t b = bytes[i];
    int pos = 11 + 3 * i + i / 4;
    line[pos] = digits[b >> 4];
    line[pos + 1] = digits[b & 15];
    uint8_t c = b & 0x7F;
    line[63 + i] = (c >= 0x20 && c != 0x7F) ? static_cast<char>(c) : '.';
  }
  std::fwrite(line, 1, 79, out);
}

void hexDumpBlock(FILE* out, const uint8_t* bytes, unsigned n) {
  for (unsigned o = 0; o < n; o += 16) hexDumpLine(out, bytes + o, o, static_cast<long>(n - o));
}
