#include "decode/adapter/q931.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "control/settings.h"
#include "tests/unit_support.h"

namespace {

XlogCollection collect(std::vector<uint8_t> bytes, uint8_t tail = 0x00) {
  XlogCollection c;
  std::memset(c.bytes, tail, sizeof c.bytes);
  if (!bytes.empty()) std::memcpy(c.bytes, bytes.data(), bytes.size());
  c.length = static_cast<uint16_t>(bytes.size());
  return c;
}

std::string sig(const XlogCollection& c) {
  CapturedOutput o;
  q931DecodeSigMessage(o.stream, c);
  return o.text();
}

TEST(Q931CauseText, EveryValueHasATextAndUnnamedOnesShowTheirNumber) {
  EXPECT_STREQ(q931CauseText(0), "0");
  EXPECT_STREQ(q931CauseText(4), "4");
  EXPECT_STREQ(q931CauseText(16), "Normal call clearing");
  EXPECT_STREQ(q931CauseText(7), "Call awarded and being deliverd in an established channel");
  EXPECT_STREQ(q931CauseText(112), "112");
  EXPECT_STREQ(q931CauseText(126), "126");
  EXPECT_STREQ(q931CauseText(127), "Internetworking, unspecified");
  EXPECT_STREQ(q931CauseText(0x80 | 16), "Normal call clearing");  // seven bits only
  for (unsigned v = 0; v < 128; ++v) {
    const char* t = q931CauseText(v);
    ASSERT_NE(t, nullptr);
    EXPECT_NE(t[0], 0) << v;
  }
  EXPECT_STREQ(q931Cause1tr6Text(59), "User busy");
  EXPECT_STREQ(q931Cause1tr6Text(0), "0");
  EXPECT_STREQ(q931Cause1tr6Text(100), "100");
}

TEST(Q931Message, BytesPastTheCollectedLengthAreNeverShown) {
  // The same message with clean and with dirty storage after it must print
  // alike, including elements and causes that would reach beyond it.
  const std::vector<std::vector<uint8_t>> messages = {
      {0x20, 0, 0, 0, 0x08, 0x01, 0x01, 0x45, 0x08, 0x01, 0x80},
      {0x20, 0, 0, 0, 0x08, 0x01, 0x01, 0x05, 0x70, 0x02, 0x01, 0x31},
      {0x20, 0, 0, 0, 0x08, 0x01, 0x01, 0x05, 0x70, 0x05, 0x81},
      {0x20, 0, 0, 0, 0x08, 0xff},
      {0x20, 0, 0, 0, 0x08},
      {0x20, 0},
      {0x20, 0, 0, 0, 0x08, 0x01, 0x01, 0x62, 0x1c, 0x03, 0x91, 0xa1, 0x10},
  };
  g_settings.facilityDecoding = true;
  for (const auto& m : messages) {
    SCOPED_TRACE(m.size());
    EXPECT_EQ(sig(collect(m, 0x00)), sig(collect(m, 0xA5)));
  }
  g_settings.facilityDecoding = false;
}

TEST(Q931Message, ShortCollectionsShowTheCountAndNoDecode) {
  EXPECT_EQ(sig(collect({0x00, 0x00, 0x00, 0x00})), "SIG-x(000)");
  EXPECT_EQ(sig(collect({0x10, 0x00})), "SIG-R(-02)");
  EXPECT_EQ(sig(collect({})), "SIG-x(-04)");
}

TEST(Q931Message, FacilitySwitch) {
  const XlogCollection c =
      collect({0x20, 0, 0, 0, 0x08, 0x01, 0x01, 0x62, 0x1c, 0x02, 0x92, 0x00});
  g_settings.facilityDecoding = false;
  const std::string off = sig(c);
  g_settings.facilityDecoding = true;
  const std::string on = sig(c);
  g_settings.facilityDecoding = false;
  EXPECT_EQ(off.substr(off.rfind('\n') + 1), std::string(28, ' ') + "Facility 92 00");
  EXPECT_EQ(on, off + "\n" + std::string(29, ' ') + "Unknown Protocol Profile 92");
}

TEST(Q931Events, SpidCountIsBoundedByTheCollection) {
  CapturedOutput o;
  q931DecodeSpidEvent(o.stream, collect({0xff, 0x41, 0x42}, 0x43), 0x0202);
  EXPECT_EQ(o.text(), "EVENT: SPID accepted 'AB'");
}

TEST(Q931Events, LinkReasonByteMissing) {
  CapturedOutput o;
  q931DecodeCallEvent(o.stream, collect({0xff, 0xff, 0, 0}, 0x08), 0x0A01);
  EXPECT_EQ(o.text(), "EVENT: Call failed in State 'Active'\n" + std::string(21, ' ') +
                          "Link disconnected");
}

}  // namespace
