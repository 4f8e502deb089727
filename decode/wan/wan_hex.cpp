// The hexadecimal value reader of the keywords and OID references. It never
// looks past the characters it is given, so a value ends at the keyword's
// closing backquote or the reference's underscore at the latest.
#include "decode/wan/wan.h"

namespace {

bool isSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

uint32_t wanReadHex(const char* s, size_t n) {
  size_t i = 0;
  while (i < n && isSpace(s[i])) ++i;
  bool negative = false;
  if (i < n && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  // "0x" counts as a prefix only when a digit follows; "0xg" reads as 0.
  if (i + 2 < n && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X') && hexDigit(s[i + 2]) >= 0)
    i += 2;
  uint32_t value = 0;
  bool tooLarge = false;
  for (int d; i < n && (d = hexDigit(s[i])) >= 0; ++i) {
    if (value > 0x0FFFFFFF) tooLarge = true;
    value = (value << 4) | static_cast<uint32_t>(d);
  }
  if (tooLarge) return 0xFFFFFFFF;
  return negative ? 0u - value : value;
}
