// Entries whose count fields claim more than the entry copy holds, and
// collections that outgrow the collector.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "decode/adapter/xlog.h"
#include "tests/unit_support.h"

namespace {

struct Entry {
  uint8_t bytes[kEntryCopySize] = {};
  Entry(std::initializer_list<uint8_t> head) {
    size_t i = 0;
    for (uint8_t b : head) bytes[i++] = b;
  }
};

std::string decode(const Entry& e) {
  CapturedOutput o;
  xlogDecodeEntry(o.stream, e.bytes);
  return o.text();
}

size_t count(const std::string& s, const std::string& what) {
  size_t n = 0;
  for (size_t p = s.find(what); p != std::string::npos; p = s.find(what, p + 1)) ++n;
  return n;
}

std::string hexRun(size_t n, const char* byte) {
  std::string s;
  for (size_t i = 0; i < n; ++i) s += std::string(" ") + byte;
  return s;
}

class XlogBounds : public ::testing::Test {
 protected:
  void SetUp() override { xlogResetState(); }
  void TearDown() override { xlogResetState(); }
};

}  // namespace

TEST_F(XlogBounds, EyeSamplesPastTheCopyStopAtItsEnd) {
  Entry e{23, 0, 0xFF, 0xFF};
  e.bytes[kEntryCopySize - 2] = 0x34;
  e.bytes[kEntryCopySize - 1] = 0x12;
  std::string t = decode(e);
  // 2146 sample bytes fit: 1073 samples, the last one at the copy's end.
  EXPECT_EQ(t, "[*,*] EYE" + hexRun(1072, "0000") + " 1234 length error\n");
}

TEST_F(XlogBounds, EyeSamplesThatFitAreNotMarked) {
  Entry e{23, 0, 0x62, 0x08};  // 2146 bytes: exactly the copy
  std::string t = decode(e);
  EXPECT_EQ(t, "[*,*] EYE" + hexRun(1073, "0000") + "\n");
}

TEST_F(XlogBounds, AudioPastTheCopy) {
  Entry e{25, 0, 0x00, 0x10};  // 4096 bytes claimed
  std::string t = decode(e);
  EXPECT_EQ(t.substr(0, 12), "Audio (4096)");
  // 2146 bytes in lines of 20: 108 lines, the last of 6 bytes.
  EXPECT_EQ(count(t, "SAMPLE[]"), 108u);
  EXPECT_NE(t.find("\n  (2140) - [*,*] SAMPLE[] 0000 0000 0000 length error\n"), std::string::npos);
}

TEST_F(XlogBounds, Capi11TotalLengthPastTheCopy) {
  Entry e{131, 0, 0xFF, 0xFF, 1, 0, 0x86, 0x02, 0, 0};
  std::string t = decode(e);
  std::string head = "CAPI11_GET(65535) APPL 0001 0000:DATA_B3 IND\n" + std::string(46, ' ');
  // Message bytes 8.. lie at entry offsets 10..2149: 2140 of them.
  EXPECT_EQ(t, head + hexRun(2140, "00") + " length error\n");
}

TEST_F(XlogBounds, SegmentCountPastTheCopyKeepsWhatItHolds) {
  Entry e{21, 0x02, 0x05, 0x00, 0xFF, 0xFF};
  e.bytes[6] = 0xAB;
  e.bytes[kEntryCopySize - 1] = 0xCD;
  std::string t = decode(e);
  EXPECT_EQ(t, "MSG0005 - AB" + hexRun(2142, "00") + " CD length error\n");
  EXPECT_EQ(xlogCollection().length, 0u);
}

TEST_F(XlogBounds, CollectorKeepsWhatFitsAndMarksTheMessage) {
  Entry first{21, 0x02, 0x00, 0x00, 0x60, 0x08};  // 2144 bytes of 0x11
  for (size_t i = 6; i < kEntryCopySize; ++i) first.bytes[i] = 0x11;
  first.bytes[kEntryCopySize - 1] = 0;  // the copy always ends in a zero
  EXPECT_EQ(decode(first), "MORE\n");
  EXPECT_EQ(xlogCollection().length, 2144u);

  Entry more{21, 0x03, 0x00, 0x00, 0x0A, 0x00};  // 10 bytes, 6 fit
  for (size_t i = 0; i < 10; ++i) more.bytes[6 + i] = static_cast<uint8_t>(0xA0 + i);
  EXPECT_EQ(decode(more), "MORE\n");
  EXPECT_EQ(xlogCollection().length, kXlogCollectCapacity);
  EXPECT_EQ(xlogCollection().dropped, 4u);

  Entry last{21, 0x03, 0x05, 0x00, 0x02, 0x00, 0xEE, 0xEF};
  std::string t = decode(last);
  EXPECT_EQ(t, "MSG0005 -" + hexRun(2143, "11") + " 00 A0 A1 A2 A3 A4 A5 cont\n");
  EXPECT_EQ(xlogCollection().length, 0u);
  EXPECT_EQ(xlogCollection().dropped, 0u);

  // The next message starts clean.
  Entry next{21, 0x02, 0x05, 0x00, 0x01, 0x00, 0x42};
  EXPECT_EQ(decode(next), "MSG0005 - 42\n");
}

TEST_F(XlogBounds, RegisterDumpFromAShortEntryReadsZeros) {
  // The copy is zero-padded; the words past a short entry read as zero.
  Entry part2{50, 1, 0x78, 0x56, 0x34, 0x12};
  std::string t = decode(part2);
  EXPECT_NE(t.find("s0  = 12345678\ts1  = 00000000"), std::string::npos);
}

TEST(XlogDecodeEntry, NoEntryPrintsOnlyTheNewline) {
  CapturedOutput o;
  xlogDecodeEntry(o.stream, nullptr);
  EXPECT_EQ(o.text(), "\n");
}
