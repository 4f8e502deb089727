// Adapter trace (xlog) entries.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

// The zero-padded entry copy handed to the xlog and CAPI decoders.
constexpr size_t kEntryCopySize = 2150;

// Segment collector for codes 21 and 22; what the Q.931 decoder receives.
constexpr size_t kXlogCollectCapacity = 2150;
struct XlogCollection {
  uint16_t codeWord = 0;
  uint16_t length = 0;  // collected bytes, never above kXlogCollectCapacity
  uint8_t bytes[kXlogCollectCapacity] = {};
};

// Prints one entry (entry holds kEntryCopySize bytes), ending with "\n".
void xlogDecodeEntry(FILE* out, const uint8_t* entry);
