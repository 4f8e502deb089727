// IPCP, NBFCP, IPXCP and CCP.
#include <gtest/gtest.h>

#include "decode/ppp/tests/ppp_test_util.h"

namespace {

class NcpText : public ::testing::TestWithParam<FrameCase> {};

TEST_P(NcpText, Decodes) { EXPECT_EQ(pppFrameText(GetParam().payload), GetParam().text); }

Bytes ipcp(uint8_t code, const Bytes& d) { return pppPacket(0x8021, code, 1, d); }

INSTANTIATE_TEST_SUITE_P(
    Ipcp, NcpText,
    ::testing::Values(
        FrameCase{"Address", ipcp(1, {0x03, 0x06, 0xC0, 0xA8, 0x01, 0x01}),
                  "\n  IPCP: id  1, len 10 ==> Configure-Request\n        - IP Address 192.168.1.1"},
        FrameCase{"NameServers",
                  ipcp(3, {0x81, 6, 10, 0, 0, 1, 0x82, 6, 10, 0, 0, 2, 0x83, 6, 10, 0, 0, 3, 0x84, 6,
                           10, 0, 0, 4, 0x03, 5, 1, 2, 3}),
                  "\n  IPCP: id  1, len 33 ==> Configure-Nak"
                  "\n        - Primary   DNS  Address 10.0.0.1\n        - Primary   NBNS Address 10.0.0.2"
                  "\n        - Secondary DNS  Address 10.0.0.3\n        - Secondary NBNS Address 10.0.0.4"},
        FrameCase{"VanJacobson", ipcp(2, {0x02, 0x06, 0x00, 0x2D, 0x0F, 0x01}),
                  "\n  IPCP: id  1, len 10 ==> Configure-Ack"
                  "\n        - Van Jacobson Compressed TCP/IP - Max-Slot-Id 15 - Comp-Slot-Id 1"},
        FrameCase{"VanJacobsonMaxSlot", ipcp(2, {0x02, 0x05, 0x00, 0x2D, 0x0F}),
                  "\n  IPCP: id  1, len  9 ==> Configure-Ack"
                  "\n        - Van Jacobson Compressed TCP/IP - Max-Slot-Id 15"},
        FrameCase{"Compression", ipcp(4, {0x02, 0x04, 0x00, 0x61, 0x02, 0x04, 0x20, 0x67}),
                  "\n  IPCP: id  1, len 12 ==> Configure-Reject"
                  "\n        - IP compression Protocol 0x0061\n        - IP compression Protocol 0x2067"},
        FrameCase{"CompressionShort", ipcp(1, {0x02, 0x03, 0x00, 0x01, 0x02}),
                  "\n  IPCP: id  1, len  9 ==> Configure-Request"
                  "\n        - IP compression Protocol illegal, len 3"},
        FrameCase{"Deprecated", ipcp(1, {0x01, 0x0A, 1, 2, 3, 4, 5, 6, 7, 8}),
                  "\n  IPCP: id  1, len 14 ==> Configure-Request\n        - IP Addresses (depredated)"},
        FrameCase{"OtherLen6", ipcp(1, {0x90, 0x06, 1, 2, 3, 4}),
                  "\n  IPCP: id  1, len 10 ==> Configure-Request"
                  "\n        - Option 0x90\n        - Special   IP   Address 1.2.3.4"},
        FrameCase{"OtherLen5", ipcp(1, {0x90, 0x05, 0xA, 0xB, 0xC}),
                  "\n  IPCP: id  1, len  9 ==> Configure-Request"
                  "\n        - Option 0x90 - Values: 0x0A 0x0B 0x0C"},
        // A last option of 3 bytes is not decoded.
        FrameCase{"LastOptionThreeBytes", ipcp(1, {0x03, 0x06, 1, 2, 3, 4, 0x90, 0x03, 0x01}),
                  "\n  IPCP: id  1, len 13 ==> Configure-Request\n        - IP Address 1.2.3.4"},
        FrameCase{"TerminateAck", ipcp(6, {}), "\n  IPCP: id  1, len  4 ==> Terminate-Ack"},
        FrameCase{"CodeReject", ipcp(7, cpPacket(5, 9, {})),
                  "\n IPCP : id  1, len  8 ==> Code-Reject\n  IPCP: id  9, len  4 ==> Terminate-Request"},
        FrameCase{"UnknownCode", ipcp(8, {}), ""}));

Bytes nbf(uint8_t code, const Bytes& d) { return pppPacket(0x803F, code, 2, d); }

Bytes nameEntry(const char* name, uint8_t last) {
  Bytes e(16, ' ');
  for (size_t i = 0; name[i] && i < 16; ++i) e[i] = static_cast<uint8_t>(name[i]);
  e.push_back(last);
  return e;
}

INSTANTIATE_TEST_SUITE_P(
    Nbfcp, NcpText,
    ::testing::Values(
        FrameCase{"RequestNames", nbf(1, Bytes{1, 36} + nameEntry("SERVER", 1) + nameEntry("WORKGROUP", 2)),
                  "\n  NBCP: id  2, len 40 ==> Configure-Request\n        - Name-Projection"
                  "\n          -- Unique Name 'SERVER         '\n          -- Group  Name 'WORKGROUP      '"},
        FrameCase{"NakResult", nbf(3, Bytes{1, 19} + nameEntry("HOST", 22)),
                  "\n  NBCP: id  2, len 23 ==> Configure-Nak\n        - Name-Projection"
                  "\n          -- 'HOST           ' Name in use on remote NetBIOS"},
        FrameCase{"RejectUndefined", nbf(4, Bytes{1, 19} + nameEntry("HOST", 99)),
                  "\n  NBCP: id  2, len 23 ==> Configure-Reject\n        - Name-Projection"
                  "\n          -- 'HOST           ' Undefined result 0x63"},
        FrameCase{"EntryPastOption", nbf(2, Bytes{1, 24} + nameEntry("A", 1) + Bytes{'B', 'C', 'D', 'E', 'F'}),
                  "\n  NBCP: id  2, len 28 ==> Configure-Ack\n        - Name-Projection"
                  "\n          -- Unique Name 'A              '\n          -- Name illegal, len 5"},
        FrameCase{"PeerInfo", nbf(1, Bytes{2, 13, 0, 8, 0, 1, 0, 2} + asBytes("peer!")),
                  "\n  NBCP: id  2, len 17 ==> Configure-Request\n        - Peer Information for  'peer!'"
                  "\n          -- Class 'PPP End-System' Version 0x0001 / 0x0002"},
        FrameCase{"PeerInfoNoName", nbf(1, {2, 8, 0, 3, 0, 1, 0, 0, 2, 8, 1, 0, 0, 0, 0, 0}),
                  "\n  NBCP: id  2, len 20 ==> Configure-Request\n        - Peer Information"
                  "\n          -- Class 'Reserved ...' Version 0x0001 / 0x0000\n        - Peer Information"
                  "\n          -- Class 'Undefined ...' Version 0x0000 / 0x0000"},
        FrameCase{"PeerInfoShort", nbf(1, {2, 4, 0, 2}),
                  "\n  NBCP: id  2, len  8 ==> Configure-Request\n        - Peer Information illegal, len 4"},
        FrameCase{"Multicast", nbf(1, {3, 5, 0x01, 0x2C, 7, 3, 4, 0, 0}),
                  "\n  NBCP: id  2, len 13 ==> Configure-Request"
                  "\n        - Multicast-Filtering - Period 300 - Prior 7"},
        FrameCase{"MacAndUnknown", nbf(1, {4, 2, 9, 2, 0, 0}),
                  "\n  NBCP: id  2, len 10 ==> Configure-Request"
                  "\n        - IEEE-MAC-Address-Required\n        - Unknown NBFCP Option 0x09"},
        FrameCase{"CodeReject", nbf(7, cpPacket(6, 3, {})),
                  "\n NBCP : id  2, len  8 ==> Code-Reject\n  NBCP: id  3, len  4 ==> Terminate-Ack"}));

Bytes ipx(uint8_t code, const Bytes& d) { return pppPacket(0x802B, code, 3, d); }

INSTANTIATE_TEST_SUITE_P(
    Ipxcp, NcpText,
    ::testing::Values(
        FrameCase{"Terminate", ipx(5, {}), "\n  IPX : id  3, len  0 ==> Terminate-Request"},
        FrameCase{"Numbers", ipx(1, {1, 6, 0, 0, 0x12, 0x34, 2, 8, 0, 0x0A, 0x0B, 0xC0, 0xFF, 0xEE}),
                  "\n  IPX : id  3, len 14 ==> Configure-Request\n        - IPX-Network-Number 0.0.18.52"
                  "\n        - IPX-Node-Number 00.0a.0b.c0.ff.ee"},
        FrameCase{"WrongLengths", ipx(1, {1, 5, 0, 0, 0, 2, 7, 0, 0, 0, 0, 0}),
                  "\n  IPX : id  3, len 12 ==> Configure-Request"},
        FrameCase{"Compression", ipx(2, {3, 4, 0, 2, 3, 5, 2, 0x35, 1, 3, 4, 0, 1}),
                  "\n  IPX : id  3, len 13 ==> Configure-Ack\n        - Telebit Compressed IPX"
                  "\n        - Shiva Compressed NCP/IPX"},
        FrameCase{"Routing", ipx(3, {4, 4, 0, 0, 4, 4, 0, 2, 4, 4, 0, 4, 4, 4, 0, 3}),
                  "\n  IPX : id  3, len 16 ==> Configure-Nak\n        - No routing protocol required"
                  "\n        - Novell RIP/SAP required\n        - Novell NLSP required"},
        // The router name follows the text before it without a line of its own.
        FrameCase{"RouterName", ipx(1, Bytes{6, 2, 5, 8} + asBytes("ROUTER") + Bytes{5, 2}),
                  "\n  IPX : id  3, len 12 ==> Configure-Request\n        - IPX-Configuration-CompleteROUTER"},
        FrameCase{"CompleteWrongLength", ipx(1, {6, 3, 0}), "\n  IPX : id  3, len  3 ==> Configure-Request"},
        FrameCase{"CodeReject", ipx(7, cpPacket(6, 1, {})),
                  "\n IPX  : id  3, len  4 ==> Code-Reject\n  IPX : id  1, len  0 ==> Terminate-Ack"}));

Bytes ccp(uint8_t code, const Bytes& d) { return pppPacket(0x80FD, code, 4, d); }

INSTANTIATE_TEST_SUITE_P(
    Ccp, NcpText,
    ::testing::Values(
        FrameCase{"Stac", ccp(1, {17, 5, 0, 1, 3}),
                  "\n  CCP : id  4, len  9 ==> Configure-Request"
                  "\n        - Stac Electronics LZS ==> values: 0x00 0x01 0x03"},
        FrameCase{"StacLong", ccp(1, {17, 11, 0, 1, 3, 4, 5, 6, 7, 8, 9}),
                  "\n  CCP : id  4, len 15 ==> Configure-Request\n        - Stac Electronics LZS"},
        FrameCase{"Names", ccp(2, {3, 2, 16, 2, 18, 6, 0, 0, 0, 1, 19, 2, 20, 2, 21, 3, 0x41}),
                  "\n  CCP : id  4, len 21 ==> Configure-Ack\n        - Puddle Jumper\n        - Hewlett-Packard PPC"
                  "\n        - Microsoft PPC ==> values: 0x00 0x00 0x00 0x01\n        - Gandalf FZA"
                  "\n        - V.42bis compression\n        - BSD LZW Compress ==> values: 0x41"},
        FrameCase{"Predictor", ccp(3, {1, 2, 2, 3, 9}),
                  "\n  CCP : id  4, len  9 ==> Configure-Nak\n        - Predictor type 1"
                  "\n        - Predictor type 2 ==> values: 0x09"},
        FrameCase{"Oui", ccp(1, {0, 2, 0, 6, 0x00, 0x80, 0x5F, 0x01, 0, 4, 1, 2}),
                  "\n  CCP : id  4, len 16 ==> Configure-Request\n        - OUI ==> no Subtype/Values"
                  "\n        - OUI ==> 00805F - Subtype 0x01\n        - OUI illegal, len 4"},
        FrameCase{"Unknown", ccp(4, {0x40, 3, 7}),
                  "\n  CCP : id  4, len  7 ==> Configure-Reject"
                  "\n        - Unknown Compression Type 0x40/len 3 ==> values: 0x07"},
        FrameCase{"CodeRejectNotNested", ccp(7, cpPacket(5, 1, {})),
                  "\n  CCP : id  4, len  8 ==> Code-Reject"},
        FrameCase{"Reset", ccp(14, {}), "\n  CCP : id  4, len  4 ==> Reset-Request"},
        FrameCase{"ResetReply", ccp(15, {}), "\n  CCP : id  4, len  4 ==> Reset-Reply"},
        FrameCase{"Terminate", ccp(6, {}), "\n  CCP : id  4, len  4 ==> Terminate-Ack"}));

}  // namespace
