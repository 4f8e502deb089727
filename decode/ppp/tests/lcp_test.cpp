#include <gtest/gtest.h>

#include "decode/ppp/tests/ppp_test_util.h"

namespace {

Bytes lcp(uint8_t code, uint8_t id, const Bytes& data) { return pppPacket(0xC021, code, id, data); }

class LcpText : public ::testing::TestWithParam<FrameCase> {};

TEST_P(LcpText, Decodes) { EXPECT_EQ(pppFrameText(GetParam().payload), GetParam().text); }

INSTANTIATE_TEST_SUITE_P(
    Codes, LcpText,
    ::testing::Values(
        FrameCase{"ConfAck", lcp(2, 7, {}), "\n  LCP : id  7, len  4 ==> Configure-Ack"},
        FrameCase{"ConfNak", lcp(3, 7, {}), "\n  LCP : id  7, len  4 ==> Configure-Nak"},
        FrameCase{"ConfRej", lcp(4, 7, {}), "\n  LCP : id  7, len  4 ==> Configure-Reject"},
        FrameCase{"TermReq", lcp(5, 7, {1, 2}), "\n  LCP : id  7, len  6 ==> Terminate-Request"},
        FrameCase{"TermAck", lcp(6, 7, {}), "\n  LCP : id  7, len  4 ==> Terminate-Ack"},
        FrameCase{"EchoReply", lcp(10, 200, {1, 2, 3, 4}), "\n  LCP : id 200, len  8 ==> Echo-Reply"},
        FrameCase{"Ident", lcp(12, 1, {}), "\n  LCP : id  1, len  4 ==> Identification (LCP)"},
        FrameCase{"TimeRem", lcp(13, 1, {}), "\n  LCP : id  1, len  4 ==> Time-Remaining (LCP)"},
        FrameCase{"ResetReq", lcp(14, 1, {}), "\n  LCP : id  1, len  4 ==> Reset-Request (CCP)"},
        FrameCase{"ResetReply", lcp(15, 1, {}), "\n  LCP : id  1, len  4 ==> Reset-Reply (CCP)"},
        FrameCase{"UnknownCode", lcp(16, 1, {}), ""},
        FrameCase{"CodeReject", lcp(7, 2, cpPacket(9, 1, {1, 2, 3, 4})),
                  "\n LCP  : id  2, len 12 ==> Code-Reject\n  LCP : id  1, len  8 ==> Echo-Request"},
        FrameCase{"CodeRejectNested", lcp(7, 3, cpPacket(7, 2, cpPacket(6, 1, {}))),
                  "\n LCP  : id  3, len 12 ==> Code-Reject\n LCP  : id  2, len  8 ==> Code-Reject"
                  "\n  LCP : id  1, len  4 ==> Terminate-Ack"},
        FrameCase{"CodeRejectBadInner", lcp(7, 2, {0x09, 0x01, 0x00, 0x09, 1, 2, 3, 4}),
                  "\n LCP  : id  2, len 12 ==> Code-Reject"},
        FrameCase{"ProtocolRejectIpcp",
                  lcp(8, 4, pppPacket(0x8021, 1, 9, {0x03, 0x06, 0xC0, 0xA8, 0x01, 0x01})),
                  "\n LCP  : id  4, len 16 ==> Protocol-Reject"
                  "\n  IPCP: id  9, len 10 ==> Configure-Request"
                  "\n        - IP Address 192.168.1.1"},
        FrameCase{"ProtocolRejectShort", lcp(8, 4, {0x80}),
                  "\n LCP  : id  4, len  5 ==> Protocol-Reject"},
        // The rejected protocol is not put to the odd/even test.
        FrameCase{"ProtocolRejectBridge", lcp(8, 4, {0x02, 0x05}),
                  "\n LCP  : id  4, len  6 ==> Protocol-Reject\n  DEC LANBridge100 Spanning Tree"}));

Bytes discard(size_t len, uint8_t code) {
  Bytes d(len - 4, 0);
  d[0] = 0x12, d[1] = 0x34, d[2] = 0x56, d[3] = 0x78;
  d[4] = 0xAB, d[5] = 0xAB, d[6] = code;
  return lcp(11, 5, d);
}

INSTANTIATE_TEST_SUITE_P(
    Discard, LcpText,
    ::testing::Values(
        FrameCase{"Resume", discard(48, 3),
                  "\n  ESHP: id  5, len 48 ==> Resume-Request\n      - Magic 0x12345678"},
        FrameCase{"Reconnect", discard(60, 7),
                  "\n  ESHP: id  5, len 60 ==> Resume-Reconnect\n      - Magic 0x12345678"},
        FrameCase{"CodeEight", discard(48, 8), "\n  LCP : id  5, len 48 ==> Discard-Request"},
        FrameCase{"CodeZero", discard(48, 0), "\n  LCP : id  5, len 48 ==> Discard-Request"},
        FrameCase{"Short", discard(47, 1), "\n  LCP : id  5, len 47 ==> Discard-Request"}));

// Configure-Request data and the option lines they print.
std::vector<std::pair<Bytes, std::string>> optionCases() {
  const std::string o = "\n        - ", s = "\n          -- ";
  return {
      {{0x01, 0x04, 0x05, 0xF4, 0x05, 0x06, 0x12, 0x34, 0x56, 0x78},
       o + "Maximum-Receive-Unit 1524" + o + "Magic-Number 0x12345678"},
      {{0x02, 0x06, 0x00, 0x0A, 0x00, 0x00}, o + "Async-CC-Map 0x000A0000"},
      {{0x02, 0x04, 0x00, 0x00, 0x07, 0x02}, o + "Async-CC-Map illegal" + o + "Protocol-Field-Compression"},
      {{0x03, 0x04, 0xC0, 0x23}, o + "Authentication-Protocol ==> PAP"},
      {{0x03, 0x05, 0xC0, 0x23, 0x00}, ""},
      {{0x03, 0x05, 0xC2, 0x23, 0x05}, o + "Authentication-Protocol ==> CHAP-MD5"},
      {{0x03, 0x05, 0xC2, 0x23, 0x80}, o + "Authentication-Protocol ==> CHAP-128"},
      {{0x03, 0x06, 0xC2, 0x23, 0x80, 0x00}, ""},
      {{0x03, 0x04, 0xC2, 0x81}, o + "Proprietary Authentication Protocol"},
      {{0x03, 0x04, 0xC0, 0x2B}, o + "Authentication-Protocol ==> 0xC02B"},
      {{0x03, 0x04, 0xC0, 0x27}, o + "Authentication-Protocol ==> SPAP"},
      {{0x03, 0x05, 0xC0, 0x27, 0x01}, o + "Authentication-Protocol ==> SPAP" + s + "Encryption 0x01"},
      {{0x03, 0x07, 0xC0, 0x27, 0x01, 0x02, 0x03},
       o + "Authentication-Protocol ==> SPAP" + s + "Padding 2" + s + "Encryption 0x01"},
      {{0x03, 0x08, 0xC0, 0x27, 0x01, 0x02, 0x03, 0x04},
       o + "Authentication-Protocol ==> SPAP" + s + "SPAP Version 0x0304" + s + "Padding 2" + s +
           "Encryption 0x01"},
      {{0x03, 0x09, 0xC0, 0x27, 0x01, 0x02, 0x03, 0x04, 0xAA},
       o + "Authentication-Protocol ==> SPAP" + s + "Capability Bitmask 0xAA000000" + s +
           "SPAP Version 0x0304" + s + "Padding 2" + s + "Encryption 0x01"},
      {{0x03, 0x0C, 0xC0, 0x27, 0x01, 0x02, 0x03, 0x04, 0xAA, 0xBB, 0xCC, 0xDD},
       o + "Authentication-Protocol ==> SPAP" + s + "Capability Bitmask 0xAABBCCDD" + s +
           "SPAP Version 0x0304" + s + "Padding 2" + s + "Encryption 0x01"},
      {{0x04, 0x04, 0xC0, 0x25}, o + "Quality-Protocol 0xC025"},
      {{0x04, 0x08, 0xC0, 0x25, 0x00, 0x00, 0x01, 0xF4}, o + "Quality-Protocol 0xC025 - Period 5000 ms"},
      // 0x20000000 * 10 shows as a 32-bit long.
      {{0x04, 0x08, 0xC0, 0x25, 0x20, 0x00, 0x00, 0x00}, o + "Quality-Protocol 0xC025 - Period 1073741824 ms"},
      {{0x04, 0x08, 0xC0, 0x25, 0x10, 0x00, 0x00, 0x00}, o + "Quality-Protocol 0xC025 - Period -1610612736 ms"},
      {{0x04, 0x06, 0xC0, 0x25, 0x00, 0x00, 0x08, 0x02}, o + "Addr-and-Control-Field-Compression"},
      {{0x09, 0x03, 0x01}, o + "FCS-Alternatives ==> Null FCS"},
      {{0x09, 0x03, 0x02}, o + "FCS-Alternatives ==> CCITT 16-Bit FCS"},
      {{0x09, 0x03, 0x04}, o + "FCS-Alternatives ==> CCITT 32-Bit FCS"},
      {{0x0A, 0x03, 0x08, 0x0B, 0x03, 0x04, 0x0C, 0x02},
       o + "Self-Describing-Pad" + o + "Numbered-Mode" + o + "Multi-Link-Procedure"},
      {{0x0D, 0x03, 0x00}, o + "Callback ==> Location determined by user authentication"},
      {{0x0D, 0x06, 0x01, '1', '2', '3'}, o + "Callback ==> Dialing string = 123"},
      {{0x0D, 0x03, 0x01}, o + "Callback ==> Dialing string = "},
      {{0x0D, 0x05, 0x02, 'H', 'Q'}, o + "Callback ==> Location Identifier = HQ"},
      // The message is copied as it stands; a zero byte ends it.
      {{0x0D, 0x06, 0x01, '1', 0x00, '3'}, o + "Callback ==> Dialing string = 1"},
      {{0x0D, 0x04, 0x03, '1'}, o + "Callback ==> E.164 Number"},
      {{0x0D, 0x04, 0x04, 'c'}, o + "Callback ==> X.500 distinguished name"},
      {{0x0D, 0x03, 0x05}, o + "Callback ==> "},
      {{0x0D, 0x03, 0x06}, o + "Callback ==> Location is determined during CBCP negotiation"},
      {{0x0D, 0x03, 0x07}, o + "Callback ==> "},
      {{0x0E, 0x03, 0x01, 0x0F, 0x02, 0x10, 0x02},
       o + "Connect-Time" + o + "Compound-Frames" + o + "Nominal-Data-Encapsulation"},
      {{0x11, 0x04, 0x05, 0xF4}, o + "Multilink-MRRU 1524"},
      {{0x12, 0x02}, o + "Multilink-Short-Sequence-Number-Header-Format"},
      {{0x13, 0x03, 0x00}, o + "Multilink-Endpoint-Discriminator" + s + "Null Class"},
      {{0x13, 0x05, 0x01, 0x01, 0x02}, o + "Multilink-Endpoint-Discriminator" + s + "Locally Assigned Address"},
      {{0x13, 0x07, 0x02, 10, 0, 0, 1}, o + "Multilink-Endpoint-Discriminator" + s + "IP-Address 10.0.0.1"},
      {{0x13, 0x09, 0x03, 0x00, 0x0A, 0x0B, 0xC0, 0xFF, 0xEE},
       o + "Multilink-Endpoint-Discriminator" + s + "IEEE 802.1 MAC Addr 00.0A.0B.C0.FF.EE"},
      {{0x13, 0x07, 0x04, 1, 2, 3, 4}, o + "Multilink-Endpoint-Discriminator" + s + "PPP Magic-Number Block"},
      {{0x13, 0x05, 0x05, '1', '2'},
       o + "Multilink-Endpoint-Discriminator" + s + "Public Switched Network Directory Number"},
      {{0x13, 0x03, 0x06}, o + "Multilink-Endpoint-Discriminator"},
      {{0x14, 0x02, 0x15, 0x02},
       o + "Proprietary                [QAL]" + o + "DCE-Identifier       [MERTOVANE]"},
      {{0x17, 0x04, 0x00, 0x2A}, o + "BAP Link Discriminator 0x002A"},
      {{0x17, 0x05, 0x00, 0x2A, 0x00}, ""},
      {{0x00, 0x02, 0x06, 0x03, 0x01, 0x16, 0x02, 0xFF, 0x04, 1, 2},
       o + "Unknown Option 0x0, len 2" + o + "Unknown Option 0x6, len 3" + o +
           "Unknown Option 0x16, len 2" + o + "Unknown Option 0xFF, len 4"},
      // The walk ends on a length below 2 or past the data.
      {{0x07, 0x02, 0x08, 0x01, 0x07, 0x02}, o + "Protocol-Field-Compression"},
      {{0x07, 0x02, 0x01, 0x09, 0x05, 0xDC, 0, 0, 0, 0}, o + "Protocol-Field-Compression"},
      {{0x07, 0x02, 0x08}, o + "Protocol-Field-Compression"},
      // Options too short for their value print an "illegal" line.
      {{0x01, 0x02, 0x01, 0x03, 0x05}, o + "Maximum-Receive-Unit illegal, len 2" + o +
                                            "Maximum-Receive-Unit illegal, len 3"},
      {{0x05, 0x04, 0x12, 0x34}, o + "Magic-Number illegal, len 4"},
      {{0x11, 0x03, 0x05}, o + "Multilink-MRRU illegal, len 3"},
      {{0x03, 0x03, 0xC0}, o + "Authentication-Protocol illegal, len 3"},
      {{0x09, 0x02}, o + "FCS-Alternatives illegal, len 2"},
      {{0x0D, 0x02}, o + "Callback illegal, len 2"},
      {{0x13, 0x02}, o + "Multilink-Endpoint-Discriminator illegal, len 2"},
      {{0x13, 0x06, 0x02, 10, 0, 0}, o + "Multilink-Endpoint-Discriminator" + s + "IP-Address illegal, len 6"},
      {{0x13, 0x08, 0x03, 1, 2, 3, 4, 5},
       o + "Multilink-Endpoint-Discriminator" + s + "IEEE 802.1 MAC Addr illegal, len 8"},
  };
}

TEST(LcpOptions, EveryKind) {
  for (const auto& [options, lines] : optionCases()) {
    char head[80];
    std::snprintf(head, sizeof head, "\n  LCP : id  1, len %2d ==> Configure-Request",
                  static_cast<int>(options.size() + 4));
    EXPECT_EQ(pppFrameText(lcp(1, 1, options)), head + lines) << testing::PrintToString(options);
  }
}

}  // namespace
