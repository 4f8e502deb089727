#include <gtest/gtest.h>

#include <cstring>

#include "decode/ppp/ppp.h"
#include "decode/ppp/tests/ppp_test_util.h"
#include "tests/unit_support.h"

namespace {

const Bytes kConfReq = {0xC0, 0x21, 0x01, 0x01, 0x00, 0x04};
const char* const kConfReqLine = "\n  LCP : id  1, len  4 ==> Configure-Request";
const Bytes kEcho = {0xC0, 0x21, 0x09, 0x01, 0x00, 0x08, 0x11, 0x22, 0x33, 0x44};

class FrameText : public ::testing::TestWithParam<FrameCase> {};

TEST_P(FrameText, Decodes) { EXPECT_EQ(pppFrameText(GetParam().payload), GetParam().text); }

INSTANTIATE_TEST_SUITE_P(
    Dispatch, FrameText,
    ::testing::Values(
        FrameCase{"Clear", Bytes{0xFF, 0x03} + kConfReq, kConfReqLine},
        FrameCase{"NoPrefix", kConfReq, kConfReqLine},
        FrameCase{"ControlEscaped", Bytes{0xFF, 0x7D, 0x23} + kConfReq, kConfReqLine},
        FrameCase{"BothEscaped", Bytes{0x7D, 0xDF, 0x7D, 0x23} + kConfReq, kConfReqLine},
        // Only one prefix is skipped.
        FrameCase{"TwoPrefixes", Bytes{0xFF, 0x03, 0xFF, 0x03} + kConfReq, ""},
        FrameCase{"TooShortAfterPrefix", {0xFF, 0x03, 0xC0, 0x21, 0x01}, ""},
        FrameCase{"FcsBehindPacket", Bytes{0xFF, 0x03} + kConfReq + Bytes{0x12, 0x34}, ""},
        FrameCase{"IpDatagram", {0xFF, 0x03, 0x00, 0x21, 0x45, 0x00, 0x00, 0x14}, ""},
        FrameCase{"CompressedIp", {0x21, 0x45, 0x00, 0x00, 0x14}, ""},
        FrameCase{"BothOdd", {0x3D, 0x01, 0x00, 0x00, 0xC0, 0x21, 0x01, 0x01, 0x00, 0x04}, ""},
        FrameCase{"Bridge", {0x02, 0x01, 0x00, 0x00}, "\n  802.1d Hello Packets"},
        FrameCase{"BridgeSigma", {0x02, 0x33, 0x00, 0x00}, "\n  Sigma Network Systems"},
        FrameCase{"BridgeUnknown", {0x02, 0x07, 0x00, 0x00}, ""},
        FrameCase{"NcpReservedRfc", {0x80, 0x1F, 0x01, 0x01}, "\n  Not Used - reserved           [RFC 1661]"},
        FrameCase{"NcpReservedFF", {0x80, 0xFF, 0x01, 0x01}, "\n  Not Used - reserved           [RFC 1661]"},
        FrameCase{"NcpReserved", {0x80, 0x2D, 0x01, 0x01}, "\n  reserved"},
        FrameCase{"NcpBridging", {0x80, 0x31, 0x01, 0x01}, "\n  Bridging NCP"},
        FrameCase{"Ncp8037", {0x80, 0x37, 0x01, 0x01}, ""},
        FrameCase{"NcpSingleLink", {0x80, 0xFB, 0x01, 0x01},
                  "\n  compression on single link in multilink group control"},
        FrameCase{"LinkNamed", {0xC0, 0x25, 0x00, 0x00}, "\n  LQR : Link Quality Report"},
        FrameCase{"LinkPnap", {0xC4, 0x81, 0x00, 0x00},
                  "\n  PNAP: Proprietary Node ID Authentication Protocol"},
        FrameCase{"LinkUnknown", {0xC2, 0x25, 0x01, 0x01, 0x00, 0x04}, ""},
        FrameCase{"OtherFirstByte", {0x40, 0x21, 0x01, 0x01, 0x00, 0x04}, ""}));

// Multilink: the long header 0xC0 0x00 0x00 0x05 and the short header
// 0xC0 0x05 both give sequence number 5; the length is the count behind the
// multilink protocol field.
INSTANTIATE_TEST_SUITE_P(
    Multilink, FrameText,
    ::testing::Values(
        FrameCase{"LongHeader", Bytes{0xFF, 0x03, 0x00, 0x3D, 0xC0, 0x00, 0x00, 0x05} + kEcho,
                  "\nML_PPP: id  5, len 14\n  LCP : id  1, len  8 ==> Echo-Request"},
        FrameCase{"ShortHeader", Bytes{0xFF, 0x03, 0x00, 0x3D, 0xC0, 0x05} + kEcho,
                  "\nML_PPP: id  5, len 12\n  LCP : id  1, len  8 ==> Echo-Request"},
        FrameCase{"ShortHeaderHighBits", Bytes{0x00, 0x3D, 0x8A, 0x34} + kEcho,
                  "\nML_PPP: id 2612, len 12\n  LCP : id  1, len  8 ==> Echo-Request"},
        FrameCase{"LongHeader24Bit", Bytes{0x00, 0x3D, 0x40, 0x00, 0x01, 0x02} + kEcho,
                  "\nML_PPP: id 258, len 14\n  LCP : id  1, len  8 ==> Echo-Request"},
        FrameCase{"Compressed", Bytes{0xFF, 0x03, 0x3D, 0xC0, 0x00, 0x00, 0x07} + kEcho,
                  "\nML_PPP: id  7, len 14\n  LCP : id  1, len  8 ==> Echo-Request"},
        FrameCase{"Ncp", Bytes{0x00, 0x3D, 0xC0, 0x00, 0x00, 0x01, 0x80, 0x21, 0x05, 0x02, 0x00, 0x04},
                  "\nML_PPP: id  1, len 10\n  IPCP: id  2, len  4 ==> Terminate-Request"},
        FrameCase{"NamedNcp", {0x00, 0x3D, 0xC0, 0x00, 0x00, 0x01, 0x80, 0x31, 0x00, 0x00},
                  "\nML_PPP: id  1, len  8\n  Bridging NCP"},
        // Data fragments and unknown fragments decode to nothing.
        FrameCase{"IpFragment", {0x00, 0x3D, 0x80, 0x00, 0x00, 0x09, 0x00, 0x21, 0x45, 0x00}, ""},
        FrameCase{"ShortFragment", {0x00, 0x3D, 0xC0, 0x00, 0x00, 0x01, 0xC0, 0x21, 0x01}, ""},
        FrameCase{"ShortHeaderOnly", {0x00, 0x3D, 0xC0, 0x05, 0xC0}, ""},
        // A wrong length inside still prints the multilink line.
        FrameCase{"BadInner", {0x00, 0x3D, 0xC0, 0x00, 0x00, 0x01, 0xC0, 0x21, 0x09, 0x01, 0x00, 0x09},
                  "\nML_PPP: id  1, len 10"}));

DebugRecord recordOf(const Bytes& payload) {
  DebugRecord r;
  r.length = static_cast<uint16_t>(payload.size());
  r.payload = payload.data();
  r.typeWord = 0x0204;
  return r;
}

TEST(PppRecord, CountTextDumpAndNewline) {
  Bytes p = Bytes{0xFF, 0x03} + kConfReq;
  CapturedOutput o;
  pppDecodeRecord(o.stream, recordOf(p));
  EXPECT_EQ(o.text(), std::string("8 bytes") + kConfReqLine +
                          "\n  0x0000  FF 03 C0 21  01 01 00 04" + std::string(28, ' ') +
                          "..@!....        \n");
}

TEST(PppRecord, EmptyPayload) {
  Bytes p;
  CapturedOutput o;
  pppDecodeRecord(o.stream, recordOf(p));
  EXPECT_EQ(o.text(), "0 bytes\n");
}

// 2 + 4 + 500 * 2 bytes of Protocol-Field-Compression options: about 20000
// characters of text, cut to whole lines inside the 1024-byte frame text.
TEST(PppRecord, LongTextIsCutAtALineWithMarker) {
  Bytes opts;
  for (int i = 0; i < 500; ++i) opts = opts + Bytes{0x07, 0x02};
  Bytes p = Bytes{0xFF, 0x03} + pppPacket(0xC021, 1, 1, opts);
  CapturedOutput o;
  pppDecodeRecord(o.stream, recordOf(p));
  std::string t = o.text();
  std::string head = std::to_string(p.size()) + " bytes" +
                     "\n  LCP : id  1, len 1004 ==> Configure-Request";
  ASSERT_EQ(t.compare(0, head.size(), head), 0);
  const std::string opt = "\n        - Protocol-Field-Compression";
  const std::string marker = "\n  ... (decoded text cut off)\n  0x0000  ";
  size_t m = t.find(marker);
  ASSERT_NE(m, std::string::npos);
  // Only whole option lines before the marker, and they fill the text.
  std::string body = t.substr(head.size(), m - head.size());
  ASSERT_EQ(body.size() % opt.size(), 0u);
  EXPECT_GT(head.size() - 7 + body.size() + opt.size(), kPppFrameText - 1);
  for (size_t i = 0; i < body.size(); i += opt.size()) ASSERT_EQ(body.substr(i, opt.size()), opt);
  // The dump shows every byte: (1010 + 15) / 16 lines.
  size_t lines = 0;
  for (size_t i = m + 1; (i = t.find("\n  0x", i)) != std::string::npos; ++i) ++lines;
  EXPECT_EQ(lines, (p.size() + 15) / 16);
}

}  // namespace
