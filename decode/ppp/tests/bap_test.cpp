// BACP and BAP.
#include <gtest/gtest.h>

#include "decode/ppp/tests/ppp_test_util.h"

namespace {

class BapText : public ::testing::TestWithParam<FrameCase> {};

TEST_P(BapText, Decodes) { EXPECT_EQ(pppFrameText(GetParam().payload), GetParam().text); }

Bytes bacp(uint8_t code, const Bytes& d) { return pppPacket(0xC02B, code, 1, d); }

INSTANTIATE_TEST_SUITE_P(
    Bacp, BapText,
    ::testing::Values(
        FrameCase{"Favored", bacp(1, {1, 6, 0x12, 0x34, 0x56, 0x78}),
                  "\n  BACP: id  1, len 10 ==> Configure-Request\n        - Favored Peer Magic # 0x12345678"},
        FrameCase{"WrongLength", bacp(2, {1, 5, 0, 0, 0, 7, 2}),
                  "\n  BACP: id  1, len 11 ==> Configure-Ack\n        - Unknown BACP Option 0x01/len 5"
                  "\n        - Unknown BACP Option 0x07/len 2"},
        FrameCase{"Nak", bacp(3, {}), "\n  BACP: id  1, len  4 ==> Configure-Nak"},
        FrameCase{"Reject", bacp(4, {}), "\n  BACP: id  1, len  4 ==> Configure-Reject"},
        FrameCase{"TermReq", bacp(5, {}), "\n  BACP: id  1, len  4 ==> Terminate-Request"},
        FrameCase{"TermAck", bacp(6, {}), "\n  BACP: id  1, len  4 ==> Terminate-Ack"},
        FrameCase{"CodeReject", bacp(7, cpPacket(5, 1, {})), "\n  BACP: id  1, len  8 ==> Code-Reject"},
        FrameCase{"UnknownCode", bacp(8, {}), ""}));

Bytes bap(uint8_t type, uint8_t id, const Bytes& d) { return pppPacket(0xC02D, type, id, d); }

INSTANTIATE_TEST_SUITE_P(
    Bap, BapText,
    ::testing::Values(
        FrameCase{"CallRequest", bap(1, 3, {}), "\n  BAP : id  3, len  4 ==> Call-Request"},
        FrameCase{"Requests", bap(3, 1, {}) , "\n  BAP : id  1, len  4 ==> Callback-Request"},
        FrameCase{"LinkDrop", bap(5, 1, {}), "\n  BAP : id  1, len  4 ==> Link-Drop-Query-Request"},
        FrameCase{"CallStatus", bap(7, 1, {6, 4, 0x11, 0}),
                  "\n  BAP : id  1, len  8 ==> Call-Status-Request\n        - BAP Call Status 0x11 - No Retry"},
        FrameCase{"IdEqualsCount", Bytes{0xC0, 0x2D, 1, 4, 0, 5}, ""},
        FrameCase{"LinkType", bap(1, 2, {1, 5, 0, 64, 0x09}),
                  "\n  BAP : id  2, len  9 ==> Call-Request\n        - Link Type\n          -- Speed 64 kBit/s"
                  "\n          -- ISDN\n          -- Switched Digital (non ISDN)"},
        FrameCase{"LinkTypeAll", bap(1, 2, {1, 5, 0, 128, 0xFF, 1, 4, 0, 56}),
                  "\n  BAP : id  2, len 13 ==> Call-Request\n        - Link Type\n          -- Speed 128 kBit/s"
                  "\n          -- ISDN\n          -- X.25\n          -- Analog"
                  "\n          -- Switched Digital (non ISDN)\n          -- Data Over Voice"
                  "\n        - Link Type\n          -- Speed 56 kBit/s"},
        FrameCase{"ShortConditions", bap(1, 2, {1, 3, 0, 2, 4, 0, 0, 3, 3, 0, 5, 3, 0, 6, 5, 0, 0, 0}),
                  "\n  BAP : id  2, len 22 ==> Call-Request"},
        FrameCase{"Reason", bap(5, 2, Bytes{4, 8} + asBytes("busy") + Bytes{0, 0}),
                  "\n  BAP : id  2, len 12 ==> Link-Drop-Query-Request\n        - Reason 'busy'"},
        FrameCase{"ReasonZeros", bap(5, 2, {4, 4, 0, 0, 4, 2}),
                  "\n  BAP : id  2, len 10 ==> Link-Drop-Query-Request\n        - Reason ''\n        - Reason ''"},
        // Raw values go through the printable copy: control characters show as ".".
        FrameCase{"ReasonControl", bap(5, 2, {4, 7, 'a', 0x1B, '[', 0, 'b'}),
                  "\n  BAP : id  2, len 11 ==> Link-Drop-Query-Request\n        - Reason 'a.[.b'"},
        FrameCase{"PhoneDelta",
                  bap(1, 2, Bytes{2, 18, 1, 3, 2, 2, 5} + asBytes("123") + Bytes{3, 6} + asBytes("77") + Bytes{0, 0, 9, 2,
                      3, 2, 2, 4, 1, 2}),
                  "\n  BAP : id  2, len 28 ==> Call-Request\n        - Phone Delta"
                  "\n          -- Unique Digits ...'.'\n          -- Subscriber Number '123'"
                  "\n          -- Phone Number Sub-Address '77'\n        - No Phone Number needed"},
        FrameCase{"LinkDiscriminator", bap(3, 1, {5, 4, 0x12, 0x34, 6, 4, 0, 1, 6, 4, 2, 1}),
                  "\n  BAP : id  1, len 16 ==> Callback-Request\n        - BAP Link Discriminator 0x1234"
                  "\n        - BAP Call Status OK\n        - BAP Call Status 0x02 - Retry"},
        FrameCase{"Unknown", bap(1, 1, {9, 3, 0}), "\n  BAP : id  1, len  7 ==> Call-Request\n        - Unknown BAP Option 0x09/len 3"},
        FrameCase{"CallResponseAck", bap(2, 3, {0, 5, 4, 0, 1}),
                  "\n  BAP : id  3, len  9 ==> Call-Response-Ack\n        - BAP Link Discriminator 0x0001"},
        FrameCase{"CallbackResponseNak", bap(4, 3, {1}), "\n  BAP : id  3, len  5 ==> Callback-Response-Nak"},
        FrameCase{"LinkDropResponseReject", bap(6, 3, {2}),
                  "\n  BAP : id  3, len  5 ==> Link-Drop-Query-Response-Reject"},
        FrameCase{"StatusResponseFullNak", bap(8, 3, {3}), "\n  BAP : id  3, len  5 ==> Call-Status-Response-Full-Nak"},
        FrameCase{"ResponseOtherCode", bap(2, 3, {9}), "\n  BAP : id  3, len  5 ==> Call-Response"},
        FrameCase{"ResponseWithoutCode", bap(2, 3, {}), "\n  BAP : id  3, len  4 ==> Call-Response"},
        FrameCase{"UnknownType", bap(9, 3, {}), ""}));

}  // namespace
