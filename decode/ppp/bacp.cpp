// BACP: the favored-peer option.
#include "decode/ppp/ppp_cp.h"
#include "decode/ppp/ppp_decode.h"

namespace {

void optBacp(ByteView o, const char*, const CpHeader&, TextBuf& t) {
  if (o.u8(0) == 1 && o.size == 6)
    t.add("%sFavored Peer Magic # 0x%02X%02X%02X%02X", kCpOptLine, o.u8(2), o.u8(3), o.u8(4),
          o.u8(5));
  else
    t.add("%sUnknown BACP Option 0x%02X/len %d", kCpOptLine, o.u8(0), static_cast<int>(o.size));
}

constexpr CpOptionTable kBacpOptions = CpOptionTable{nullptr, 0, optBacp};

constexpr CpCode kBacpCodes[] = {
    {1, "Configure-Request", 0, &kBacpOptions},
    {2, "Configure-Ack", 0, &kBacpOptions},
    {3, "Configure-Nak", 0, &kBacpOptions},
    {4, "Configure-Reject", 0, &kBacpOptions},
    {5, "Terminate-Request"},
    {6, "Terminate-Ack"},
    {7, "Code-Reject"},  // not nested
};

constexpr CpProtocol kBacp = cpProtocol("BACP", kBacpCodes);

}  // namespace

void pppDecodeBacp(ByteView bytes, TextBuf& text) { cpDecodePacket(bytes, kBacp, text); }
