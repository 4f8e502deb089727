#include "decode/adapter/adapter_names.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct SigCase {
  unsigned code;
  bool request;
  const char* text;
};

std::string sig(unsigned code, bool request) {
  FixedText<256> line;
  adapterSigName(line, code, request);
  return line.str();
}
std::string man(unsigned code, bool request) {
  FixedText<256> line;
  adapterManName(line, code, request);
  return line.str();
}
std::string rc(unsigned code) {
  FixedText<256> line;
  line.add("[%02x] N-RC=", 7);
  adapterRcName(line, code);
  return line.str();
}

}  // namespace

TEST(AdapterSigName, RequestAndIndicationNames) {
  const SigCase cases[] = {
      {0x02, true, "S-LISTEN_REQ"},   {0x02, false, "S-CALL_IND"},   {0x01, true, "S-CALL_REQ"},
      {0x01, false, "S-CALL_CON"},    {0x0A, false, "S-INDICATE_IND"}, {0x0D, true, "S-INFO_REQ"},
      {0x0D, false, "S-INFO_IND"},    {0x03, false, "S-HANGUP"},     {0x44, true, "S-CALL_PEND_NOTIFY"},
      {0xFF, false, "S-REMOVE"},      {0x07, true, "S-UNKNOWN(07)"}, {0x16, false, "S-UNKNOWN(16)"},
      // Only the low byte names the code.
      {0x1A02, true, "S-LISTEN_REQ"},
  };
  for (const SigCase& c : cases) EXPECT_EQ(sig(c.code, c.request), c.text) << std::hex << c.code << c.request;
}

TEST(AdapterManName, RequestAndIndicationTables) {
  const SigCase cases[] = {
      {0x01, true, "M-ASSIGN"},         {0x01, false, "M-MAN_MDATA"},     {0x04, true, "M-MAN_EXECUTE"},
      {0x04, false, "M-MAN_TRACE_IND"}, {0x09, false, "M-MAN_COMBI_IND"}, {0xFE, true, "M-UREMOVE"},
      {0x05, false, "M-UNKNOWN(05)"},   {0x09, true, "M-UNKNOWN(09)"},    {0xFF, false, "M-UNKNOWN(ff)"},
  };
  for (const SigCase& c : cases) EXPECT_EQ(man(c.code, c.request), c.text) << std::hex << c.code << c.request;
}

TEST(AdapterRcName, ErrorCodesFollowASeparator) {
  const struct {
    unsigned code;
    const char* text;
  } cases[] = {
      {0x03, "[07] N-RC= | WRONG_ID"},   {0x07, "[07] N-RC= | OUT_OF_RESOURCES"},
      {0x10, "[07] N-RC= | N_FLOW_CONTROL"}, {0x00, "[07] N-RC= | 00"},
      {0x1F, "[07] N-RC= | 1f"},          {0xE0, "[07] N-RC=ASSIGN_RC | e0"},
      {0xE7, "[07] N-RC=e7"},             {0x20, "[07] N-RC=20"},
      {0xEF, "[07] N-RC=ASSIGN_OK"},      {0xFD, "[07] N-RC=READY_INT"},
      {0xFF, "[07] N-RC=OK"},             {0x1FF, "[07] N-RC=OK"},
  };
  for (const auto& c : cases) EXPECT_EQ(rc(c.code), c.text) << std::hex << c.code;
}

TEST(AdapterNlName, IndexIgnoresHighNibble) {
  EXPECT_STREQ(adapterNlName(0x01), "N-MDATA");
  EXPECT_STREQ(adapterNlName(0x0D), "N-EDATA ACK");
  EXPECT_STREQ(adapterNlName(0x18), "N-DATA");
  EXPECT_EQ(adapterNlName(0x00), nullptr);
  EXPECT_EQ(adapterNlName(0x0E), nullptr);
  EXPECT_EQ(adapterNlName(0x10), nullptr);
}

TEST(AdapterNameWriters, CutAtTheEndOfAFullLine) {
  FixedText<8> line;
  line.addText("[01] ");
  adapterSigName(line, 0x44, true);
  EXPECT_STREQ(line.str(), "[01] S-");
  EXPECT_TRUE(line.cut);
}
