#include "trace/textbuf.h"

#include <cstdio>
#include <cstring>

void TextBuf::vadd(const char* fmt, va_list ap) {
  if (cap == 0) {
    cut = true;
    return;
  }
  size_t avail = cap - len;  // includes room for the zero
  int n = std::vsnprintf(buf + len, avail, fmt, ap);
  if (n < 0) return;
  if (static_cast<size_t>(n) >= avail) {
    len = cap - 1;
    cut = true;
  } else {
    len += static_cast<size_t>(n);
  }
}

void TextBuf::add(const char* fmt, ...) {
  va_list ap;
  va_start(ap, fmt);
  vadd(fmt, ap);
  va_end(ap);
}

void TextBuf::addChar(char c) { addBytes(&c, 1); }

void TextBuf::addText(const char* s) { addBytes(s, std::strlen(s)); }

void TextBuf::addBytes(const char* s, size_t n) {
  if (cap == 0) {
    cut = cut || n;
    return;
  }
  if (n == 0) return;
  size_t r = room();
  if (n > r) {
    n = r;
    cut = true;
  }
  std::memcpy(buf + len, s, n);
  len += n;
  buf[len] = 0;
}

void TextBuf::truncate(size_t n) {
  if (n < len) {
    len = n;
    buf[len] = 0;
  }
}
