// CHAP: challenge and response (the name, not the value) and the messages
// of success and failure.
#include "decode/ppp/ppp_cp.h"
#include "decode/ppp/ppp_decode.h"

namespace {

void chapName(ByteView pkt, const CpHeader&, const CpCode&, TextBuf& t) {
  if (pkt.size < 7) return;
  size_t nameAt = pkt.u8(4) + 5u;  // behind the value-size byte and the value
  if (nameAt < pkt.size) pppAppendQuoted(t, pkt.sub(nameAt));
}

void chapMessage(ByteView pkt, const CpHeader&, const CpCode&, TextBuf& t) {
  if (pkt.size > 4) pppAppendQuoted(t, pkt.sub(4));
}

constexpr CpCode kChapCodes[] = {
    {1, "Challenge", 0, nullptr, chapName},
    {2, "Response", 0, nullptr, chapName},
    {3, "Success", 0, nullptr, chapMessage},
    {4, "Failure", 0, nullptr, chapMessage},
};

constexpr CpProtocol kChap = cpProtocol("CHAP", kChapCodes);

}  // namespace

void pppDecodeChap(ByteView bytes, TextBuf& text) { cpDecodePacket(bytes, kChap, text); }
