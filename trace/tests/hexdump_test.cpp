#include "trace/hexdump.h"

#include <gtest/gtest.h>

#include "tests/unit_support.h"

TEST(HexDumpLine, FullLineLayout) {
  uint8_t b[16];
  for (int i = 0; i < 16; ++i) b[i] = static_cast<uint8_t>(0x41 + i);
  CapturedOutput o;
  hexDumpLine(o.stream, b, 0x10, 16);
  EXPECT_EQ(o.text(),
            "\n  0x0010  41 42 43 44  45 46 47 48  49 4A 4B 4C  4D 4E 4F 50  ABCDEFGHIJKLMNOP");
}

TEST(HexDumpLine, ShortLineKeepsCharacterColumnAndPads) {
  uint8_t b[5] = {0x00, 0x1F, 0x7F, 0x80, 0xA0};
  CapturedOutput o;
  hexDumpLine(o.stream, b, 0, 5);
  std::string t = o.text();
  ASSERT_EQ(t.size(), 79u);
  EXPECT_EQ(t.substr(0, 27), "\n  0x0000  00 1F 7F 80  A0 ");
  EXPECT_EQ(t.substr(63), "...." " " + std::string(11, ' '));
}

TEST(HexDumpLine, CountLimitsAndNothingForZero) {
  uint8_t b[40] = {};
  CapturedOutput o;
  hexDumpLine(o.stream, b, 0, 0);
  hexDumpLine(o.stream, b, 0, -3);
  EXPECT_EQ(o.text(), "");
  hexDumpLine(o.stream, b, 0, 40);
  EXPECT_EQ(o.text().size(), 79u);
}

TEST(HexDumpLine, HighBitCharactersMasked) {
  uint8_t b[4] = {0xC1, 0x8A, 0x9F, 0xFF};
  CapturedOutput o;
  hexDumpLine(o.stream, b, 0, 4);
  EXPECT_EQ(o.text().substr(63, 4), "A...");
}
