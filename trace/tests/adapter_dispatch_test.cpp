#include "trace/adapter_dispatch.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "decode/adapter/xlog.h"
#include "trace/hexdump.h"
#include "tests/unit_support.h"

namespace {

std::string dispatch(const std::vector<uint8_t>& payload, bool compact = false) {
  DebugRecord rec;
  rec.length = static_cast<uint16_t>(payload.size());
  rec.payload = payload.data();
  CapturedOutput o;
  adapterRecordDispatch(o.stream, rec, compact);
  return o.text();
}

std::string class6(const std::vector<uint8_t>& payload) {
  DebugRecord rec;
  rec.length = static_cast<uint16_t>(payload.size());
  rec.payload = payload.data();
  CapturedOutput o;
  class6RecordDispatch(o.stream, rec);
  return o.text();
}

std::vector<uint8_t> bEntry(uint8_t code, uint8_t channel, int16_t length, size_t dataBytes) {
  std::vector<uint8_t> p = {code, channel, static_cast<uint8_t>(length & 0xFF),
                            static_cast<uint8_t>((static_cast<uint16_t>(length) >> 8) & 0xFF)};
  for (size_t i = 0; i < dataBytes; ++i) p.push_back(static_cast<uint8_t>(0x10 + i));
  return p;
}

std::string hexLine(unsigned offset, const std::vector<uint8_t>& bytes) {
  CapturedOutput o;
  hexDumpLine(o.stream, bytes.data(), offset, static_cast<long>(bytes.size()));
  return o.text();
}

}  // namespace

TEST(AdapterDispatch, MalformedShortEntries) {
  EXPECT_EQ(dispatch({}), "- malformed empty xlog format\n");
  EXPECT_EQ(dispatch({0x15}), "- malformed xlog format: 0x15\n");
  EXPECT_EQ(dispatch({0x03, 0xAB}), "- malformed xlog format: 0x03 0xAB\n");
}

TEST(AdapterDispatch, BChannelCompactCutsAt28AndMarksCont) {
  std::string want = "B2-X(040) ";
  for (int i = 0; i < 28; ++i) {
    char b[4];
    std::snprintf(b, sizeof b, "%02X ", 0x10 + i);
    want += b;
  }
  EXPECT_EQ(dispatch(bEntry(1, 2, 40, 40), true), want + "cont\n");
}

TEST(AdapterDispatch, BChannelDumpFormShowsTwoLines) {
  std::vector<uint8_t> p = bEntry(1, 2, 40, 40);
  std::vector<uint8_t> first(p.begin() + 4, p.begin() + 20), second(p.begin() + 20, p.begin() + 32);
  EXPECT_EQ(dispatch(p), "B2-X(040) 28 bytes" + hexLine(0, first) + hexLine(16, second) + "\n");
}

TEST(AdapterDispatch, BChannelLengthLimitsShownBytes) {
  EXPECT_EQ(dispatch(bEntry(2, 0, 3, 10), true), "B-R(003) 10 11 12 \n");
  EXPECT_EQ(dispatch(bEntry(2, 0, 3, 10)), "B-R(003) 3 bytes" + hexLine(0, {0x10, 0x11, 0x12}) + "\n");
  // A frame longer than the logged bytes shows what was logged and "cont".
  EXPECT_EQ(dispatch(bEntry(2, 1, 9, 2), true), "B1-R(009) 10 11 cont\n");
}

TEST(AdapterDispatch, BChannelNegativeLengthNeverLowersCount) {
  EXPECT_EQ(dispatch(bEntry(1, 0, -2, 2), true), "B-X(-02) 10 11 cont\n");
}

TEST(AdapterDispatch, BChannelWithoutData) {
  EXPECT_EQ(dispatch(bEntry(1, 3, 0, 0)), "B3-X(000)  0 bytes\n");
  EXPECT_EQ(dispatch(bEntry(1, 3, 0, 5), true), "B3-X(000)  0 bytes\n");
  EXPECT_EQ(dispatch(bEntry(2, 0, 7, 0), true), "B-R(007)  0 bytes\n");
}

TEST(AdapterDispatch, ThreeByteBChannelEntryGoesToXlogDecoder) {
  EXPECT_EQ(dispatch({0x01, 0x00, 0x05}), "B-X(005) 00 00 00 00 00\n");
}

TEST(AdapterDispatch, CodeZeroDumpsWholePayload) {
  std::vector<uint8_t> p(20);
  for (size_t i = 0; i < p.size(); ++i) p[i] = static_cast<uint8_t>(i);
  std::vector<uint8_t> first(p.begin(), p.begin() + 16), second(p.begin() + 16, p.end());
  EXPECT_EQ(dispatch(p), "20 bytes" + hexLine(0, first) + hexLine(16, second) + "\n");
  EXPECT_EQ(dispatch({0, 1, 2}), "3 bytes" + hexLine(0, {0, 1, 2}) + "\n");
}

TEST(AdapterDispatch, LongEntryCopyEndsInZero) {
  // A 2200-byte text entry (code 24): the copy keeps 2149 bytes and ends with
  // a zero, so the text stops at the copy's end.
  std::vector<uint8_t> p(2200, 'a');
  p[0] = 24;
  p[1] = 0;
  EXPECT_EQ(dispatch(p), std::string(2147, 'a') + "\n");
}

TEST(Class6Dispatch, TextWithAndWithoutProcessor) {
  // 3723004 ms = 1 h, 123 s, 4 ms.
  std::vector<uint8_t> head = {1, 0, 0x38, 0x00, 0xFC, 0xCE};
  std::vector<uint8_t> p = head;
  for (char c : std::string("hello")) p.push_back(static_cast<uint8_t>(c));
  EXPECT_EQ(class6(p), "1:0123:004 - hello\n");
  p[1] = 3;
  EXPECT_EQ(class6(p), "1:0123:004 - P(3) hello\n");
  p.push_back(0);
  p.push_back('x');
  EXPECT_EQ(class6(p), "1:0123:004 - P(3) hello\n");
}

TEST(Class6Dispatch, EmbeddedEntryIsCompact) {
  std::vector<uint8_t> p = {2, 0, 0, 0, 0x0A, 0x00};
  std::vector<uint8_t> e = bEntry(2, 1, 2, 2);
  p.insert(p.end(), e.begin(), e.end());
  EXPECT_EQ(class6(p), "0:0000:010 - B1-R(002) 10 11 \n");
}

TEST(Class6Dispatch, EmbeddedXlogEntry) {
  std::vector<uint8_t> p = {2, 1, 0, 0, 0, 0, 20, 0, 3, 0};
  EXPECT_EQ(class6(p), "0:0000:000 - P(1) L1_UP\n");
}

TEST(Class6Dispatch, ShortAndUnknownKinds) {
  EXPECT_EQ(class6({2, 0, 0, 0}), "0:0000:000 - - malformed empty xlog format\n");
  EXPECT_EQ(class6({2, 0, 0, 0, 1, 0, 0x15}), "0:0000:001 - - malformed xlog format: 0x15\n");
  EXPECT_EQ(class6({7, 0, 0, 0, 0, 0}), "0:0000:000 - unknown message type 0x07\n");
  EXPECT_EQ(class6({}), "0:0000:000 - unknown message type 0x00\n");
  EXPECT_EQ(class6({1, 0, 0}), "0:0000:000 - \n");
}
