// PAP, SPAP, CHAP and CBCP.
#include <gtest/gtest.h>

#include "decode/ppp/tests/ppp_test_util.h"

namespace {

class AuthText : public ::testing::TestWithParam<FrameCase> {};

TEST_P(AuthText, Decodes) { EXPECT_EQ(pppFrameText(GetParam().payload), GetParam().text); }

Bytes pap(uint8_t code, const Bytes& d) { return pppPacket(0xC023, code, 1, d); }

INSTANTIATE_TEST_SUITE_P(
    Pap, AuthText,
    ::testing::Values(
        FrameCase{"Request", pap(1, Bytes{4} + asBytes("user") + Bytes{3} + asBytes("pw!")),
                  "\n  PAP : id  1, len 13 ==> Authenticate-Req"
                  "\n      - Peer-Id : user\n      - Password: pw!"},
        FrameCase{"RequestEmpty", pap(1, {0, 0}),
                  "\n  PAP : id  1, len  6 ==> Authenticate-Req"
                  "\n      - Peer-Id : \n      - Password: "},
        FrameCase{"RequestTooShort", pap(1, {0}), "\n  PAP : id  1, len  5 ==> Authenticate-Req"},
        // A user name with 0xC1 shows the letter A; control characters show as ".".
        FrameCase{"RequestSevenBit", pap(1, {3, 0xC1, 0x07, 0x7F, 1, 0xE2}),
                  "\n  PAP : id  1, len 10 ==> Authenticate-Req"
                  "\n      - Peer-Id : A..\n      - Password: b"},
        // Lengths past the packet: the copies stop at its end.
        FrameCase{"PeerIdPastEnd", pap(1, {9, 'a', 'b'}),
                  "\n  PAP : id  1, len  7 ==> Authenticate-Req"
                  "\n      - Peer-Id : ab\n      - Password: "},
        FrameCase{"PasswordPastEnd", pap(1, {1, 'a', 200, 'x', 'y'}),
                  "\n  PAP : id  1, len  9 ==> Authenticate-Req"
                  "\n      - Peer-Id : a\n      - Password: xy"},
        FrameCase{"AckEmpty", pap(2, {0}), "\n  PAP : id  1, len  5 ==> Authenticate-Ack"},
        FrameCase{"AckMessage", pap(2, Bytes{4} + asBytes("done")),
                  "\n  PAP : id  1, len  9 ==> Authenticate-Ack\n      - done"},
        FrameCase{"NakMismatch", pap(3, Bytes{3} + asBytes("nope")),
                  "\n  PAP : id  1, len  9 ==> Authenticate-Nak\n      - .nope"},
        FrameCase{"UnknownCode", pap(4, {0}), ""},
        FrameCase{"LongerThanLength", pap(2, {0}) + Bytes{0}, ""}));

Bytes spap(uint8_t code, const Bytes& d) { return pppPacket(0xC027, code, 2, d); }

INSTANTIATE_TEST_SUITE_P(
    Spap, AuthText,
    ::testing::Values(
        FrameCase{"Ack", spap(2, {}), "\n  SPAP: id  2, len  4 ==> Authenticate-Ack"},
        FrameCase{"Callback", spap(3, {}), "\n  SPAP: id  2, len  4 ==> Authenticate-Callback"},
        FrameCase{"Nak", spap(4, {}), "\n  SPAP: id  2, len  4 ==> Authenticate-Nak"},
        FrameCase{"ReqAuth", spap(5, {}), "\n  SPAP: id  2, len  4 ==> Request-Authentication"},
        FrameCase{"ChangePw", spap(7, {}), "\n  SPAP: id  2, len  4 ==> Change Password"},
        FrameCase{"Alert", spap(8, {}), "\n  SPAP: id  2, len  4 ==> Alert"},
        FrameCase{"AlertAck", spap(9, {}), "\n  SPAP: id  2, len  4 ==> Alert-Ack"},
        FrameCase{"Code1", spap(1, {}), ""},
        FrameCase{"Attributes",
                  spap(6, Bytes{1, 6} + asBytes("jane") + Bytes{2, 5} + asBytes("s3c") +
                              Bytes{7, 2, 11, 4, 0x12, 0x34, 9, 3, 0}),
                  "\n  SPAP: id  2, len 24 ==> Authenticate-Req"
                  "\n      - Username: jane\n      - Password: s3c"
                  "\n      - Resuming Virtual Connection\n      - Capability Bitmask 0x1234"},
        FrameCase{"AttributeShort", spap(6, {11, 3, 0x12, 1, 3, 'x'}),
                  "\n  SPAP: id  2, len 10 ==> Authenticate-Req"
                  "\n      - Capability Bitmask illegal, len 3\n      - Username: x"},
        FrameCase{"AttributePastEnd", spap(6, {1, 3, 'x', 2, 9, 'y'}),
                  "\n  SPAP: id  2, len 10 ==> Authenticate-Req\n      - Username: x"},
        // Bytes behind the length field are allowed.
        FrameCase{"ExtraBytes", spap(2, {}) + Bytes{0xAA, 0xBB},
                  "\n  SPAP: id  2, len  4 ==> Authenticate-Ack"},
        FrameCase{"ExtraBytesAttributes", spap(6, {1, 3, 'x'}) + Bytes{1, 3, 'y'},
                  "\n  SPAP: id  2, len  7 ==> Authenticate-Req\n      - Username: x"},
        FrameCase{"LengthBelowHeader", Bytes{0xC0, 0x27, 2, 1, 0, 2}, ""},
        FrameCase{"LengthPastEnd", Bytes{0xC0, 0x27, 2, 1, 0, 5}, ""},
        FrameCase{"Dialog", spap(14, Bytes{0, 6, 'a', 'b', 'c', 'd', 0, 7} + asBytes("hello")),
                  "\n  SPAP: id  2, len 17 ==> Dialog-Request\n      - hello"},
        FrameCase{"DialogResponse", spap(15, Bytes{5, 3, 'x', 0, 1}),
                  "\n  SPAP: id  2, len  9 ==> Dialog-Response"}));

Bytes chap(uint8_t code, const Bytes& d) { return pppPacket(0xC223, code, 3, d); }

INSTANTIATE_TEST_SUITE_P(
    Chap, AuthText,
    ::testing::Values(
        FrameCase{"Challenge", chap(1, Bytes{16} + Bytes(16, 0x5A) + asBytes("abc")),
                  "\n  CHAP: id  3, len 24 ==> Challenge - 'abc'"},
        FrameCase{"ChallengeNoName", chap(1, Bytes{2, 1, 2}), "\n  CHAP: id  3, len  7 ==> Challenge"},
        FrameCase{"ChallengeL6", chap(1, Bytes{0, 'a'}), "\n  CHAP: id  3, len  6 ==> Challenge"},
        FrameCase{"Response", chap(2, Bytes{1, 0xFF} + asBytes("host")),
                  "\n  CHAP: id  3, len 10 ==> Response - 'host'"},
        // A value size past the packet shows no name.
        FrameCase{"ValuePastEnd", chap(2, Bytes{200, 1, 2}), "\n  CHAP: id  3, len  7 ==> Response"},
        FrameCase{"Success", chap(3, asBytes("Welcome")), "\n  CHAP: id  3, len 11 ==> Success - 'Welcome'"},
        FrameCase{"SuccessEmpty", chap(3, {}), "\n  CHAP: id  3, len  4 ==> Success"},
        FrameCase{"Failure", chap(4, asBytes("E=691\n")), "\n  CHAP: id  3, len 10 ==> Failure - 'E=691.'"},
        FrameCase{"UnknownCode", chap(5, {}), ""}));

Bytes cbcp(uint8_t code, const Bytes& d) { return pppPacket(0xC029, code, 4, d); }

INSTANTIATE_TEST_SUITE_P(
    Cbcp, AuthText,
    ::testing::Values(
        FrameCase{"UserSpecified", cbcp(1, {2, 2}),
                  "\n  CBCP: id  4, len  6 ==> Callback Request\n        - Callback to user specified #"},
        FrameCase{"Delay", cbcp(1, {2, 3, 10}),
                  "\n  CBCP: id  4, len  7 ==> Callback Request\n        - Callback to user specified #"
                  "\n          -- Callback delay 10"},
        FrameCase{"Addresses", cbcp(2, Bytes{3, 14, 5, 1} + asBytes("0301") + Bytes{0, 9, 'x', 0, 1, 0}),
                  "\n  CBCP: id  4, len 18 ==> Callback Response\n        - Callback to pre-specified #"
                  "\n          -- Callback delay 5\n          -- PSTN/ISDN Addr ==> '0301'"
                  "\n          -- Addr Type 0x09 ==> 'x'\n          -- PSTN/ISDN Addr ==> ''"},
        // An address without its zero ends at the option's end.
        FrameCase{"AddressUnterminated", cbcp(3, Bytes{4, 6, 0, 1, '1', '2', 1, 2}),
                  "\n  CBCP: id  4, len 12 ==> Callback Ack\n        - Callback to any of a list of #"
                  "\n          -- Callback delay 0\n          -- PSTN/ISDN Addr ==> '12'"
                  "\n        - No callback"},
        FrameCase{"Unknown", cbcp(1, {7, 2, 1, 1}),
                  "\n  CBCP: id  4, len  8 ==> Callback Request\n        - Unknown CBCP Option 0x07"},
        FrameCase{"UnknownCode", cbcp(4, {}), ""}));

}  // namespace
