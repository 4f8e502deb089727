// Bounded text composition: appends never write past the storage; what does
// not fit is cut off and remembered in `cut`.
#pragma once

#include <cstdarg>
#include <cstddef>

#define MARLOG_PRINTF(fmt, args) __attribute__((format(printf, fmt, args)))

struct TextBuf {
  char* buf;
  size_t cap;  // bytes of storage, including the terminating zero
  size_t len = 0;
  bool cut = false;

  TextBuf(char* storage, size_t capacity) : buf(storage), cap(capacity) {
    if (cap) buf[0] = 0;
  }
  void clear() {
    len = 0;
    cut = false;
    if (cap) buf[0] = 0;
  }
  void add(const char* fmt, ...) MARLOG_PRINTF(2, 3);
  void vadd(const char* fmt, va_list ap);
  void addChar(char c);
  void addText(const char* s);
  void addBytes(const char* s, size_t n);
  // Cuts the text back to n characters (n <= len).
  void truncate(size_t n);
  const char* str() const { return cap ? buf : ""; }
  size_t room() const { return cap ? cap - 1 - len : 0; }
};

// A TextBuf with its own storage of N bytes.
template <size_t N>
struct FixedText : TextBuf {
  char storage[N];
  FixedText() : TextBuf(storage, N) {}
  FixedText(const FixedText&) = delete;
  FixedText& operator=(const FixedText&) = delete;
};
