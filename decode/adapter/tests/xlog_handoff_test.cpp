// Completed signalling messages and events go to the signalling decoder with
// the joined bytes of all their segments.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "decode/adapter/xlog.h"
#include "tests/unit_support.h"

namespace {

struct Handoff {
  unsigned code;
  uint16_t w1;
  uint16_t codeWord;
  std::vector<uint8_t> bytes;
};
std::vector<Handoff> g_seen;

void observe(unsigned code, uint16_t w1, const XlogCollection& c) {
  g_seen.push_back({code, w1, c.codeWord, std::vector<uint8_t>(c.bytes, c.bytes + c.length)});
}

void feed(std::initializer_list<uint8_t> head) {
  uint8_t e[kEntryCopySize] = {};
  size_t i = 0;
  for (uint8_t b : head) e[i++] = b;
  CapturedOutput o;
  xlogDecodeEntry(o.stream, e);
}

class XlogHandoff : public ::testing::Test {
 protected:
  void SetUp() override {
    xlogResetState();
    g_seen.clear();
    xlogSetHandoffObserver(observe);
  }
  void TearDown() override {
    xlogSetHandoffObserver(nullptr);
    xlogResetState();
  }
};

}  // namespace

TEST_F(XlogHandoff, SignallingMessageGetsAllSegments) {
  // Kind 1 in the first data bytes as the signalling decoder reads them.
  feed({21, 0x02, 0x00, 0x00, 0x04, 0x00, 0x01, 0x00, 0x00, 0x00});
  EXPECT_TRUE(g_seen.empty());
  feed({21, 0x03, 0x01, 0x00, 0x03, 0x00, 0x08, 0x01, 0x81});
  ASSERT_EQ(g_seen.size(), 1u);
  EXPECT_EQ(g_seen[0].code, 21u);
  EXPECT_EQ(g_seen[0].w1, 0x0001);
  EXPECT_EQ(g_seen[0].codeWord, 0x0315);
  EXPECT_EQ(g_seen[0].bytes, (std::vector<uint8_t>{0x01, 0x00, 0x00, 0x00, 0x08, 0x01, 0x81}));
  EXPECT_EQ(xlogCollection().length, 0u);
}

TEST_F(XlogHandoff, CallAndSpidEventsCarryTheEventWord) {
  feed({22, 0x02, 0x01, 0x0A, 0x02, 0x00, 0xFF, 0xFF});
  feed({22, 0x04, 0x00, 0x00, 0x02, 0x00, 0x03, 0x31});
  feed({22, 0x05, 0x02, 0x02, 0x02, 0x00, 0x32, 0x33});
  ASSERT_EQ(g_seen.size(), 2u);
  EXPECT_EQ(g_seen[0].code, 22u);
  EXPECT_EQ(g_seen[0].w1, 0x0A01);
  EXPECT_EQ(g_seen[0].bytes, (std::vector<uint8_t>{0xFF, 0xFF}));
  EXPECT_EQ(g_seen[1].w1, 0x0202);
  EXPECT_EQ(g_seen[1].bytes, (std::vector<uint8_t>{0x03, 0x31, 0x32, 0x33}));
}

TEST_F(XlogHandoff, DumpedKindsAndRejectedSegmentsHandNothingOver) {
  feed({21, 0x02, 0x05, 0x00, 0x01, 0x00, 0xAA});  // kind 5: dumped here
  feed({22, 0x02, 0x03, 0x00, 0x01, 0x00, 0xAA});  // event type 3: dumped
  feed({21, 0x02, 0x00, 0x00, 0x01, 0x00, 0xAA});
  feed({21, 0x01, 0x01, 0x00, 0x01, 0x00, 0xBB});  // rejected continuation
  EXPECT_TRUE(g_seen.empty());
  EXPECT_EQ(xlogCollection().length, 0u);
  EXPECT_EQ(xlogCollection().codeWord, 0x0015);
}
