#include "decode/capi/capi_params.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "decode/capi/capi_texts.h"
#include "tests/unit_support.h"

namespace {

ByteView view(const std::vector<uint8_t>& v) { return ByteView(v.data(), v.size()); }

struct ParseCase {
  const char* name;
  std::vector<uint8_t> bytes;
  const char* format;
  bool ok;
  std::vector<int32_t> lengths;  // of each field when ok
};

class CapiParseParams : public ::testing::TestWithParam<ParseCase> {};

TEST_P(CapiParseParams, ChecksAndSplits) {
  const ParseCase& c = GetParam();
  CapiParam list[kCapiMaxParams];
  ASSERT_EQ(capiParseParams(view(c.bytes), c.format, list), c.ok);
  if (!c.ok) return;
  for (size_t i = 0; i < c.lengths.size(); ++i) {
    EXPECT_FALSE(list[i].end) << i;
    EXPECT_EQ(list[i].length, c.lengths[i]) << i;
    EXPECT_EQ(list[i].bytes.size, static_cast<size_t>(c.lengths[i])) << i;
  }
  EXPECT_TRUE(list[c.lengths.size()].end);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, CapiParseParams,
    ::testing::Values(
        ParseCase{"EmptyStructureIsNoError", {1, 0, 0, 0, 0}, "ds", true, {4, 0}},
        ParseCase{"StructureWithoutPrefixFails", {1, 0, 0, 0}, "ds", false, {}},
        ParseCase{"LongPrefix", {0xFF, 3, 0, 0x41, 0x42, 0x43}, "s", true, {3}},
        ParseCase{"LongPrefixCut", {0xFF, 3}, "s", false, {}},
        ParseCase{"LongPrefixEmptyButCut", {0xFF, 0}, "s", false, {}},
        ParseCase{"LongPrefixEmpty", {0xFF, 0, 0}, "s", true, {0}},
        ParseCase{"ContentPastEndFails", {3, 1, 2}, "s", false, {}},
        ParseCase{"TrailingBytesIgnored", {1, 2, 3}, "w", true, {2}},
        ParseCase{"EmptyRest", {1, 2, 3, 4, 5, 6, 7, 8}, "ddr", true, {4, 4, 0}},
        ParseCase{"RestTakesAll", {1, 2, 3, 4, 5}, "br", true, {1, 4}},
        ParseCase{"DwordCut", {1, 2, 3}, "d", false, {}},
        ParseCase{"EmptyFormat", {}, "", true, {}},
        ParseCase{"UnknownLetterFails", {1, 2}, "bx", false, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CapiParseParamsFields, ReferToContentBehindPrefix) {
  std::vector<uint8_t> b = {0x34, 0x12, 0x02, 0xAA, 0xBB, 0x78, 0x56, 0x34, 0x12, 0x09};
  CapiParam list[kCapiMaxParams];
  ASSERT_TRUE(capiParseParams(view(b), "wsdb", list));
  EXPECT_EQ(list[0].word(), 0x1234);
  EXPECT_EQ(list[1].bytes.data, b.data() + 3);
  EXPECT_EQ(list[1].bytes.u8(1), 0xBB);
  EXPECT_EQ(list[2].dword(), 0x12345678u);
  EXPECT_EQ(list[3].byte(), 9);
}

TEST(CapiParseParamsFields, ListTooSmallFailsInsteadOfOverflowing) {
  std::vector<uint8_t> b(10, 0);
  CapiParam list[3];
  EXPECT_FALSE(capiParseParams(view(b), "bbb", list));
  EXPECT_TRUE(capiParseParams(view(b), "bb", list));
}

std::string flags16(const CapiValueTable& t, uint16_t v) {
  CapturedOutput o;
  capiPrintFlags16(t, v, o.stream);
  return o.text();
}
std::string flags32(const CapiValueTable& t, uint32_t v) {
  CapturedOutput o;
  capiPrintFlags32(t, v, o.stream);
  return o.text();
}

TEST(CapiValueTables, FlagForms) {
  EXPECT_EQ(flags16(kCapiDataB3ReqFlags, 0x0003), "(qualifier bit, more data bit)");
  EXPECT_EQ(flags16(kCapiDataB3ReqFlags, 0x0020), "(reserved)");
  EXPECT_EQ(flags16(kCapiDataB3ReqFlags, 0), "");
  EXPECT_EQ(flags16(kCapiDataB3IndFlags, 0x8010), "(break, framing error bit)");
  // Bits without a row are dropped when another bit matched.
  EXPECT_EQ(flags32(kCapiCipMask, 0x10000412), "(speech, 3.1 kHz audio, video telephony F.721, second connection)");
  EXPECT_EQ(flags32(kCapiCipMask, 0x80000000), "(reserved)");
  EXPECT_EQ(flags32(kCapiCipMask2, 1), "(reserved)");
  EXPECT_EQ(flags32(kCapiInfoMask, 0x1001), "(cause, sending complete)");
}

TEST(CapiValueTables, Lookup) {
  EXPECT_STREQ(capiTextOf(kCapiCipValues, 0xFFFF), "unknown value");
  EXPECT_STREQ(capiTextOf(kCapiCipValues, 0), "no predefined profile");
  EXPECT_STREQ(capiTextOf(kCapiCipValues, 12), "reserved");
  EXPECT_STREQ(capiTextOf(kCapiCipValues, 28), "video telephony, second connection");
  EXPECT_STREQ(capiTextOf(kCapiCipValues, 29), "unknown value");
  // Keys compare as 16-bit values.
  EXPECT_STREQ(capiTextOf(kCapiCipValues, 0x10001), "speech");
  EXPECT_STREQ(capiTextOf(kCapiInfoElements, 0x2C), "Key ");
  EXPECT_STREQ(capiTextOf(kCapiInfoElements, 0x99), "");
  EXPECT_STREQ(capiTextOf(kCapiNetworkEvents, 0x75), "status enquiry");
  EXPECT_STREQ(capiTextOf(kCapiNetworkEvents, 0x99), "unknown value");
  EXPECT_STREQ(capiTextOf(kCapiPortability, 1), "resume");
  EXPECT_STREQ(capiTextOf(kCapiPortability, 2), "reserved");
}

TEST(CapiTexts, InfoReasonRejectTables) {
  EXPECT_STREQ(capiTextOf(kCapiInfo, 0x3305), "rejected by the ISDN-Warden security option");
  EXPECT_STREQ(capiTextOf(kCapiInfo, 0x1006), "reserved");
  EXPECT_STREQ(capiTextOf(kCapiInfo, 0x4000), "unknown value");
  EXPECT_STREQ(capiPrintReason(0x3305), "Call rejected by the ISDN-Warden security option");
  EXPECT_STREQ(capiPrintReason(0x3301), "protocol error layer 1");
  EXPECT_STREQ(capiPrintReason(0x3306), "unknown value");
  EXPECT_STREQ(capiTextOf(kCapiReasonB3, 0x3490), "unknown value");
  EXPECT_STREQ(capiTextOf(kCapiReasonB3, 0x3510), "handshake error");
  EXPECT_STREQ(capiTextOf(kCapiReject, 8), "reject call, destination out of order");
  EXPECT_STREQ(capiTextOf(kCapiReject, 9), "unknown value");
}

struct NumberCase {
  std::vector<uint8_t> bytes;
  int extra;
  const char* text;
};

TEST(CapiPrintNumber, LeadingOctetsThenQuotedDigits) {
  const NumberCase cases[] = {
      {{0x81, 0x31, 0x32}, 0, "0x81 '12'"},
      {{0x81, 0x31, 0x32}, 1, "0x81 0x31 '2'"},
      {{0x81, 0x31, 0x32}, 2, "0x81 0x31 0x32 ''"},
      // Shorter than its leading octets: only what is there.
      {{0x81}, 2, "0x81 ''"},
      {{}, 1, "''"},
  };
  for (const NumberCase& c : cases) {
    CapturedOutput o;
    capiPrintNumber(view(c.bytes), o.stream, c.extra);
    EXPECT_EQ(o.text(), c.text) << c.extra;
  }
}

TEST(CapiPrintStructLine, LengthThenContentOnlyWhenPresent) {
  std::vector<uint8_t> b = {0x41, 0x0A};
  CapturedOutput o;
  capiPrintStructLine(o.stream, "    BC", view(b), CapiShow::hex);
  capiPrintStructLine(o.stream, "\n    LLC", ByteView(), CapiShow::hex);
  capiPrintStructLine(o.stream, "\n    ID", view(b), CapiShow::chars);
  EXPECT_EQ(o.text(), "    BC (0x2): 41 0A \n    LLC (0x0): \n    ID (0x2): A \n ");
}

}  // namespace
