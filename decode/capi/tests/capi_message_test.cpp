#include "decode/capi/capi.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "decode/adapter/xlog.h"
#include "decode/capi/capi_conn.h"
#include "tests/unit_support.h"

namespace {

using Bytes = std::vector<uint8_t>;

// An entry copy holding one CAPI message: code word, total length (taken
// from the parameters unless given), application id 1, message number 2.
Bytes entry(uint16_t code, uint8_t command, uint8_t sub, const Bytes& params, int total = -1) {
  Bytes e(kEntryCopySize, 0);
  if (total < 0) total = static_cast<int>(8 + params.size());
  e[0] = code & 0xFF;
  e[1] = code >> 8;
  e[2] = total & 0xFF;
  e[3] = (total >> 8) & 0xFF;
  e[4] = 1;
  e[6] = command;
  e[7] = sub;
  e[8] = 2;
  for (size_t i = 0; i < params.size() && 10 + i < e.size(); ++i) e[10 + i] = params[i];
  return e;
}

std::string trace(const Bytes& e) {
  CapturedOutput o;
  capiDecodeTrace(o.stream, e.data());
  return o.text();
}

// The decoded message only, behind the direction line and the dump.
std::string decoded(const Bytes& e) {
  std::string t = trace(e);
  size_t at = t.find("  ---\n");
  return at == std::string::npos ? t.substr(t.rfind('\n', t.size() - 2) + 1) : t.substr(at);
}

class CapiFrame : public ::testing::Test {
 protected:
  void SetUp() override { capiConnReset(); }
};

TEST_F(CapiFrame, DirectionLineAndDump) {
  Bytes e = entry(0x0080, 0x04, 0x83, {0x01, 0x01, 0x00, 0x00});
  EXPECT_EQ(trace(e),
            std::string("CAPI20_PUT(012)") +
            "\n  0x0000  01 00 04 83  02 00 01 01  00 00" + std::string(21, ' ') + ".........." + std::string(6, ' ') + "\n"
            "  ---\n  DISCONNECT RESP          AppID 0x0001 MsgNr 0x0002 PLCI: 0x00000101\n\n");
  // Only the exact code word 0x0080 is a put.
  EXPECT_EQ(trace(entry(0x0081, 0x04, 0x83, {})).substr(0, 16), "CAPI20_GET(008)\n");
  EXPECT_EQ(trace(entry(0x0180, 0x04, 0x83, {})).substr(0, 16), "CAPI20_GET(008)\n");
}

TEST_F(CapiFrame, ShortMessages) {
  // Total length 8: header only.
  EXPECT_EQ(trace(entry(0x0080, 0x04, 0x80, {})),
            std::string("CAPI20_PUT(008)") +
            "\n  0x0000  01 00 04 80  02 00" + std::string(34, ' ') + "......" + std::string(10, ' ') + "\n"
            "  ---\n  DISCONNECT REQ           AppID 0x0001 MsgNr 0x0002\n    - Parameters missing!\n");
  // Total length 7: no header.
  EXPECT_EQ(trace(entry(0x0080, 0x04, 0x80, {}, 7)),
            std::string("CAPI20_PUT(007)") +
            "\n  0x0000  01 00 04 80  02" + std::string(37, ' ') + "....." + std::string(11, ' ') + "\n"
            "    - Bad Message (length < header)!\n");
  // Zero and negative lengths dump nothing.
  EXPECT_EQ(trace(entry(0x0080, 0x04, 0x80, {}, 0)), "CAPI20_PUT(000)\n    - Bad Message (length < header)!\n");
  EXPECT_EQ(trace(entry(0x0081, 0x04, 0x80, {}, 0xFFFE)), "CAPI20_GET(-02)\n    - Bad Message (length < header)!\n");
}

struct FrameCase {
  const char* name;
  uint8_t command, sub;
  Bytes params;
  const char* text;
};

class CapiFrameCases : public ::testing::TestWithParam<FrameCase> {
 protected:
  void SetUp() override { capiConnReset(); }
};

TEST_P(CapiFrameCases, Decodes) {
  const FrameCase& c = GetParam();
  EXPECT_EQ(decoded(entry(0x0081, c.command, c.sub, c.params)), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Header, CapiFrameCases,
    ::testing::Values(
        FrameCase{"UnknownCommand", 0x00, 0x80, {1, 0, 0, 0},
                  "  ---\n  CMD 0x00 0x80            AppID 0x0001 MsgNr 0x0002\n    --> unknown command!\n"},
        FrameCase{"WrongFormat", 0x04, 0x81, {1, 0, 0, 0, 0},
                  "  ---\n  DISCONNECT CONF          AppID 0x0001 MsgNr 0x0002\n"
                  "    --> wrong message format! (expected dw)\n"},
        FrameCase{"StructurePastEnd", 0x04, 0x80, {1, 0, 0, 0, 5, 0},
                  "  ---\n  DISCONNECT REQ           AppID 0x0001 MsgNr 0x0002\n"
                  "    --> wrong message format! (expected ds)\n"},
        FrameCase{"EmptyFormatWithParameter", 0x83, 0x80, {1},
                  "  ---\n  CONNECT_B3_ACTIVE REQ    AppID 0x0001 MsgNr 0x0002\n"},
        FrameCase{"EmptyFormatWithoutParameter", 0x83, 0x80, {},
                  "  ---\n  CONNECT_B3_ACTIVE REQ    AppID 0x0001 MsgNr 0x0002\n    - Parameters missing!\n"},
        FrameCase{"Ncci", 0x04, 0x83, {1, 1, 1, 0},
                  "  ---\n  DISCONNECT RESP          AppID 0x0001 MsgNr 0x0002 NCCI: 0x00010101\n\n"},
        FrameCase{"Controller", 0x04, 0x83, {0x81, 0, 0, 0},
                  "  ---\n  DISCONNECT RESP          AppID 0x0001 MsgNr 0x0002 CNTR: 0x00000081\n\n"},
        FrameCase{"LongHeaderName", 0x88, 0x83, {1, 1, 1, 0},
                  "  ---\n  CONNECT_B3_T90_ACTIVE RESP AppID 0x0001 MsgNr 0x0002 NCCI: 0x00010101\n\n"},
        // Not one of the four subcommands but slot 3: decoded, printer silent.
        FrameCase{"OddSubcommandUsesSlot", 0x04, 0x03, {1, 1, 0, 0},
                  "  ---\n  CMD 0x04 0x03            AppID 0x0001 MsgNr 0x0002 PLCI: 0x00000101\n\n"},
        FrameCase{"OddSubcommandManufacturer", 0xFF, 0x43, {1, 0, 0, 0, 0x78, 0x56, 0x34, 0x12, 0xAB},
                  "  ---\n  CMD 0xff 0x43            AppID 0x0001 MsgNr 0x0002 CNTR: 0x00000001\n"
                  "    Manu ID: 0x12345678\n    Manufacturer specific (0x1): AB \n\n"},
        // Low four bits 4..15 have no format.
        FrameCase{"NoFormatSlot", 0x04, 0x84, {1, 1, 0, 0},
                  "  ---\n  CMD 0x04 0x84            AppID 0x0001 MsgNr 0x0002\n    --> unknown subcommand!\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CapiFrame, LengthPastTheCopyStopsAtItsEnd) {
  // MANUFACTURER with a total length of 3000: only the copy's 2146 bytes.
  Bytes e = entry(0x0080, 0xFF, 0x80, {1, 0, 0, 0, 0x78, 0x56, 0x34, 0x12}, 3000);
  e.back() = 0xEE;
  std::string t = trace(e);
  EXPECT_NE(t.find("\n  0x0860  00 EE "), std::string::npos);
  EXPECT_EQ(t.find("\n  0x0870"), std::string::npos);
  EXPECT_NE(t.find("\n    - Message longer than the trace entry, 2146 bytes logged!\n  ---\n"), std::string::npos);
  EXPECT_NE(t.find("    Manufacturer specific (0x854): 00 "), std::string::npos);
  EXPECT_NE(t.find(" EE \n\n"), std::string::npos);
}

TEST_F(CapiFrame, TouchesTheConnectionOfEveryAddressedMessage) {
  // Fill the table so that PLCI 1 is the least recently used, then touch it
  // through a message: the next new connection must take PLCI 2's slot.
  for (unsigned p = 1; p <= 255; ++p) capiConnRememberB3(0x01 | (p << 8), 3);
  trace(entry(0x0081, 0x86, 0x83, {1, 1, 1, 0, 5, 0}));  // DATA_B3_RESP on NCCI 1 of PLCI 1
  capiConnRememberB3(0x0102, 4);
  EXPECT_EQ(capiConnB3Protocol(0x0101), 3u);
  EXPECT_EQ(capiConnB3Protocol(0x0201), 0u);
}

}  // namespace

namespace {

// The message printers drive the connection table: requests and responses
// remember the B3 protocol, the confirmation binds the PLCI, the
// disconnection frees it.
TEST_F(CapiFrame, ConnectionTableFollowsTheCall) {
  const Bytes bprotocol = {0x0A, 0, 0, 0, 0, 4, 0, 0, 0, 0, 0};  // B3 protocol 4
  Bytes connectReq = {1, 0, 0, 0, 16, 0, 0, 0, 0, 0};
  connectReq.insert(connectReq.end(), bprotocol.begin(), bprotocol.end());
  connectReq.insert(connectReq.end(), {0, 0, 0, 0});
  trace(entry(0x0080, 0x02, 0x80, connectReq));
  EXPECT_EQ(capiConnB3Protocol(0x00010101), 0u);
  trace(entry(0x0081, 0x02, 0x81, {0x01, 0x01, 0, 0, 0, 0}));  // CONNECT_CONF, PLCI 0x0101
  EXPECT_EQ(capiConnB3Protocol(0x00010101), 4u);

  // SELECT_B_PROTOCOL on the bound PLCI overwrites it.
  Bytes select = {0x01, 0x01, 0, 0, 0x0A, 0, 0, 0, 0, 7, 0, 0, 0, 0, 0};
  trace(entry(0x0080, 0x41, 0x80, select));
  EXPECT_EQ(capiConnB3Protocol(0x0101), 7u);

  trace(entry(0x0081, 0x04, 0x82, {0x01, 0x01, 0, 0, 0x90, 0x34}));  // DISCONNECT_IND
  EXPECT_EQ(capiConnB3Protocol(0x0101), 0u);

  // CONNECT_RESP names the PLCI and creates a bound slot directly.
  Bytes resp = {0x01, 0x02, 0, 0, 0, 0};
  resp.insert(resp.end(), bprotocol.begin(), bprotocol.end());
  resp.insert(resp.end(), {0, 0, 0, 0});
  trace(entry(0x0080, 0x02, 0x83, resp));
  EXPECT_EQ(capiConnB3Protocol(0x00010201), 4u);
}

}  // namespace
