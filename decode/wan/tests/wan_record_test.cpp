#include <gtest/gtest.h>

#include <string>

#include "decode/wan/wan.h"
#include "tests/unit_support.h"

namespace {

std::string decode(const std::string& payload) {
  DebugRecord rec;
  rec.typeWord = 0x0103;
  rec.length = static_cast<uint16_t>(payload.size());
  rec.payload = reinterpret_cast<const uint8_t*>(payload.data());
  CapturedOutput o;
  wanDecodeRecord(o.stream, rec);
  return o.text();
}

struct ExpandCase {
  const char* name;
  std::string payload;
  const char* expected;
};

const ExpandCase kCases[] = {
    {"plain text", "Line 3 ==> nothing to see here", "Line 3 ==> nothing to see here\n"},
    {"empty payload", "", "\n"},
    {"zero ends the text", std::string("abc\0`CST_0x100`", 15), "abc\n"},
    {"call state", "st=`CST_0x100` end", "st=LINE_CALL_STATE__CONNECTED end\n"},
    {"whole value", "`CST_0x3`", "LINE_CALL_STATE__???\n"},
    {"call privilege", "`LCP_0x4`", "LINE_CALL_PRIVILEGE__OWNER\n"},
    {"every prefix",
     "`AST_0x8` `CIS_0x4` `DST_0x2` `LDM_0x20` `LAF_0x2` `LBM_0x8` `LCF_0x40` `LMM_0x100` "
     "`ISDN_EV_0x8000100` `ISDN_CAUSE_0x2000010`",
     "LINE_ADDRESS_STATE__INUSEONE LINE_CALL_INFO_STATE__BEARERMODE LINE_DEV_STATE__RINGING "
     "LINE_DISCONNECT_MODE__BUSY LINE_ADDR_FEATURE__MAKECALL LINE_BEARER_MODE__DATA "
     "LINE_CALL_FEATURE__DIAL LINE_MEDIA_MODE__DIGITALDATA ISDN_EVENT_CONNECT ISDN_CAUSE_BUSY\n"},
    {"unknown prefix", "x `XYZ_0x1` y", "x XYZ_0x1 y\n"},
    {"prefix is case-sensitive", "`cst_0x100`", "cst_0x100\n"},
    {"keyword shorter than prefix", "`CST_0`", "CST_0\n"},
    {"empty keyword vanishes", "a``b", "ab\n"},
    {"lone backquote stays", "a `b", "a `b\n"},
    {"third backquote stays", "`CST_0x1` and `CST_0x100 rest", "LINE_CALL_STATE__IDLE and `CST_0x100 rest\n"},
    {"adjacent keywords", "`CST_0x1``CST_0x2`", "LINE_CALL_STATE__IDLELINE_CALL_STATE__OFFERING\n"},

    // The value reader.
    {"no digits read 0", "`ISDN_CAUSE_0x`", "ISDN_CAUSE_OK\n"},
    {"stops at a non-digit", "`CST_0x100zz`", "LINE_CALL_STATE__CONNECTED\n"},
    {"leading blanks", "`CST_0x \t100`", "LINE_CALL_STATE__CONNECTED\n"},
    {"second 0x skipped", "`CST_0x0x100`", "LINE_CALL_STATE__CONNECTED\n"},
    {"lower-case digits", "`LCF_0xffffffff`", "LINE_CALL_FEATURE__???\n"},
    {"leading zeros", "`CST_0x0000000000100`", "LINE_CALL_STATE__CONNECTED\n"},
    {"too large gives all ones", "`OID_0x123456789`", "OID_0xFFFFFFFF\n"},
    {"minus negates", "`OID_0x-1`", "OID_0xFFFFFFFF\n"},
    {"digits end at the backquote", "`CST_0x1`00", "LINE_CALL_STATE__IDLE00\n"},

    // The OID pass.
    {"oid keyword", "query `OID_0x10101`", "query OID_GEN_SUPPORTED_LIST\n"},
    {"unknown oid keyword", "`OID_0x12345678`", "OID_0x12345678\n"},
    {"oid with suffix", "`OID_0x7030106`", "OID_TAPI_CONFIG_DIALOG (NT only)\n"},
    {"reference in the text", "set OID_0x00010101_ done", "set OID_GEN_SUPPORTED_LIST done\n"},
    {"reference without underscore", "OID_0x1234", "OID_0x1234\n"},
    {"reference cut by the end", "OID_0x0001010", "OID_0x0001010\n"},
    {"reference at the very end", "OID_0x00010101_", "OID_GEN_SUPPORTED_LIST\n"},
    {"wrong fifteenth character", "OID_0x00010101x", "OID_0x00010101x\n"},
    {"reference after a false O", "OOID_0x00010101_", "OOID_GEN_SUPPORTED_LIST\n"},
    {"two references", "OID_0x00010101_OID_0x00010102_",
     "OID_GEN_SUPPORTED_LISTOID_GEN_HARDWARE_STATUS\n"},
    {"digits stop early", "OID_0x101ZZZZZ_", "OID_0x00000101\n"},
};

TEST(WanDecodeRecord, ExpansionRules) {
  for (const ExpandCase& c : kCases) EXPECT_EQ(decode(c.payload), c.expected) << c.name;
}

TEST(WanDecodeRecord, PayloadWithoutZeroIsReadToItsLength) {
  // The record's text is exactly its length; the byte after it is not read.
  char bytes[8] = {'`', 'C', 'S', 'T', '_', '0', 'x', '1'};
  DebugRecord rec;
  rec.length = 7;  // ends before the digit: the keyword stays unpaired
  rec.payload = reinterpret_cast<const uint8_t*>(bytes);
  CapturedOutput o;
  wanDecodeRecord(o.stream, rec);
  EXPECT_EQ(o.text(), "`CST_0x\n");
}

TEST(WanDecodeRecord, LargestGrowthIsNotCut) {
  // A full payload of the shortest keywords with the longest names.
  const std::string kw = "`OID_0x703013F`";  // 15 characters, 47-character name
  const std::string name = "OID_TAPI_LINE_NEGOTIATE_TSPI_VERSION (W95/1.4)";
  std::string payload, expected;
  while (payload.size() + kw.size() <= kMaxPayload) {
    payload += kw;
    expected += name;
  }
  std::string shortKw = "`OID_0x`";  // 8 characters, named OID_0x00000000
  while (payload.size() + shortKw.size() <= kMaxPayload) {
    payload += shortKw;
    expected += "OID_0x00000000";
  }
  EXPECT_EQ(decode(payload), expected + "\n");

  const std::string tapiKw = "`LCF_0x10000000`";
  std::string tapi, tapiExpected;
  while (tapi.size() + tapiKw.size() <= kMaxPayload) {
    tapi += tapiKw;
    tapiExpected += "LINE_CALL_FEATURE__RELEASEUSERUSERINFO";
  }
  EXPECT_EQ(decode(tapi), tapiExpected + "\n");
}

TEST(WanHex, ReaderRules) {
  struct {
    const char* text;
    size_t n;
    uint32_t value;
  } cases[] = {
      {"100", 3, 0x100},       {"100", 2, 0x10},       {"", 0, 0},
      {"  \n1f", 5, 0x1F},     {"0x", 2, 0},           {"0xg", 3, 0},
      {"0X1A", 4, 0x1A},       {"+10", 3, 0x10},       {"-10", 3, 0xFFFFFFF0},
      {"FFFFFFFF", 8, 0xFFFFFFFF}, {"100000000", 9, 0xFFFFFFFF}, {"-100000000", 10, 0xFFFFFFFF},
      {"00000000012345678", 17, 0x12345678}, {"- 1", 3, 0},  {"x1", 2, 0},
  };
  for (const auto& c : cases) EXPECT_EQ(wanReadHex(c.text, c.n), c.value) << c.text << "/" << c.n;
}

TEST(WanKeywordTable, NoPrefixBeginsAnother) {
  for (const WanKeyword* a = wanKeywordTable; a->prefix; ++a) {
    EXPECT_EQ(std::string(a->prefix).size(), a->length) << a->prefix;
    for (const WanKeyword* b = wanKeywordTable; b->prefix; ++b)
      if (a != b) {
        EXPECT_NE(std::string(b->prefix).rfind(a->prefix, 0), 0u) << a->prefix << " " << b->prefix;
      }
  }
}

TEST(FormatOidKeyword, ReferenceForm) {
  EXPECT_STREQ(formatOidKeyword(0x10101), "OID_0x00010101_");
  EXPECT_STREQ(formatOidKeyword(0xFFFFFFFF), "OID_0xFFFFFFFF_");
}

}  // namespace
