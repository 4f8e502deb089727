#include "trace/mask_bit.h"

#include <array>

static constexpr char kClassLetters[] = "LFEVX   RMSITB  tncsxr  0123    ";

// Class-5 sub-code (second payload byte) -> mask bit; codes 0 and 24..255
// fall back to bit 3.
static constexpr std::array<uint8_t, 24> kSubCodeBits = {
    3,                  // 0
    20, 21,             // 1 x, 2 r
    18, 18, 18,         // 3..5 c
    19, 19,             // 6, 7 s
    3, 2,               // 8 V, 9 E
    3, 3, 3, 3,         // 10..13 V
    19, 19,             // 14, 15 s
    3, 3, 3, 3,         // 16..19 V
    0,                  // 20 L
    18, 18,             // 21, 22 c
    24,                 // 23 0
};

int recordMaskBit(const DebugRecord& rec) {
  int cls = rec.driverClass();
  if (cls != 5) return (cls - 1) & 31;
  uint8_t sub = rec.view().u8(1);
  return sub < kSubCodeBits.size() ? kSubCodeBits[sub] : 3;
}

char classLetter(int maskBit) { return kClassLetters[maskBit & 31]; }
