#include <gtest/gtest.h>

#include "decode/ppp/tests/ppp_test_util.h"

namespace {

std::string printable(const Bytes& b) {
  FixedText<64> t;
  pppPrintable(t, ByteView(b.data(), b.size()));
  return t.str();
}

TEST(PppPrintable, SevenBitsAndDots) {
  EXPECT_EQ(printable({'a', 0x00, 0x1F, 0x20, 0x7E, 0x7F, 0x80, 0x9F, 0xA0, 0xC1, 0xFF}), "a.. ~... A.");
  EXPECT_EQ(printable({}), "");
}

TEST(PppPrintable, QuotedForms) {
  Bytes b = {'x', 0x0A, 'y'};
  FixedText<64> t;
  pppAppendQuoted(t, ByteView(b.data(), b.size()));
  pppAppendNameQuoted(t, ByteView(b.data(), 1));
  pppAppendNameQuoted(t, ByteView());
  EXPECT_STREQ(t.str(), " - 'x.y' 'x' ''");
}

TEST(PppPrintable, StopsAtTheEndOfTheText) {
  Bytes b(100, 'z');
  FixedText<8> t;
  pppAppendQuoted(t, ByteView(b.data(), b.size()));
  EXPECT_STREQ(t.str(), " - 'zzz");
  EXPECT_TRUE(t.cut);
}

TEST(BapAppendTrimmed, TrailingZerosOnly) {
  Bytes b = {0, 'a', 0, 'b', 0, 0};
  FixedText<64> t;
  bapAppendTrimmed(t, ByteView(b.data(), b.size()));
  bapAppendTrimmed(t, ByteView(b.data(), 1));
  EXPECT_STREQ(t.str(), "'.a.b'''");
}

}  // namespace
