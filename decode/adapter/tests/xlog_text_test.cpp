// The printf-free number writers must give exactly what the printf formats
// of the line forms give.
#include "decode/adapter/xlog_text.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

TEST(XlogText, HexMatchesPrintf) {
  const unsigned values[] = {0, 1, 0x0f, 0x10, 0xab, 0xff, 0x100, 0x1234, 0xbeef, 0xffff, 0x12345678, 0xffffffff};
  for (unsigned v : values) {
    for (int digits : {1, 2, 4, 8}) {
      char want[32];
      FixedText<32> lower, upper;
      xlogAddHex(lower, v, digits, false);
      xlogAddHex(upper, v, digits, true);
      std::snprintf(want, sizeof want, "%0*x", digits, v);
      EXPECT_STREQ(lower.str(), want) << v << " " << digits;
      std::snprintf(want, sizeof want, "%0*X", digits, v);
      EXPECT_STREQ(upper.str(), want) << v << " " << digits;
    }
  }
}

TEST(XlogText, DecimalMatchesPrintf) {
  const int values[] = {0, 7, 42, 999, 1000, 65535, -1, -5, -32768, 2147483647};
  for (int v : values) {
    for (int width : {1, 3, 4}) {
      char want[32];
      FixedText<32> got;
      xlogAddDec(got, v, width);
      std::snprintf(want, sizeof want, "%0*d", width, v);
      EXPECT_STREQ(got.str(), want) << v << " " << width;
    }
  }
}

TEST(XlogText, HexRunLongerThanOneBlock) {
  uint8_t bytes[40];
  std::string want;
  for (int i = 0; i < 40; ++i) {
    bytes[i] = static_cast<uint8_t>(0xF0 + i);
    char b[4];
    std::snprintf(b, sizeof b, " %02X", bytes[i]);
    want += b;
  }
  FixedText<256> got;
  xlogAddHexRun(got, bytes, 40);
  EXPECT_EQ(got.str(), want);
}
