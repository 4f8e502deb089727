// PAP: authenticate request with peer identifier and password, and the
// acknowledgement messages. Names and passwords are shown in clear.
#include "decode/ppp/ppp_cp.h"
#include "decode/ppp/ppp_decode.h"

namespace {

// Lengths inside the data are used as given; a copy stops at the packet's
// end, and a length byte that lies past it reads as zero.
void papRequest(ByteView pkt, const CpHeader&, const CpCode&, TextBuf& t) {
  if (pkt.size < 6) return;
  size_t idLen = pkt.u8(4);
  t.addText("\n      - Peer-Id : ");
  pppPrintable(t, pkt.sub(5, idLen));
  size_t pwAt = 5 + idLen;
  t.addText("\n      - Password: ");
  pppPrintable(t, pkt.sub(pwAt + 1, pkt.u8(pwAt)));
}

void papMessage(ByteView pkt, const CpHeader&, const CpCode&, TextBuf& t) {
  if (pkt.size < 6) return;
  t.addText("\n      - ");
  // A message length that does not fit shows all data bytes, the length
  // byte included.
  if (pkt.u8(4) == pkt.size - 5)
    pppPrintable(t, pkt.sub(5));
  else
    pppPrintable(t, pkt.sub(4));
}

constexpr CpCode kPapCodes[] = {
    {1, "Authenticate-Req", 0, nullptr, papRequest},
    {2, "Authenticate-Ack", 0, nullptr, papMessage},
    {3, "Authenticate-Nak", 0, nullptr, papMessage},
};

constexpr CpProtocol kPap = cpProtocol("PAP ", kPapCodes);

}  // namespace

void pppDecodePap(ByteView bytes, TextBuf& text) { cpDecodePacket(bytes, kPap, text); }
