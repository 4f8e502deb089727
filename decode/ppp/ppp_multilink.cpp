// The multilink header and the fragment behind it.
#include "decode/ppp/ppp_decode.h"

void pppDecodeMultilink(ByteView bytes, TextBuf& text) {
  size_t c = bytes.size;
  if (c < 4) return;
  // The negotiated header form is not known here: a non-zero second byte
  // means the short form (4 flag bits, 12-bit sequence number), so a short
  // header whose low sequence byte is zero reads as the long form.
  unsigned seq;
  ByteView frag;
  if (bytes.u8(1) != 0) {
    seq = (bytes.u8(0) & 0x0F) * 256u + bytes.u8(1);
    frag = bytes.sub(2);
  } else {
    seq = bytes.u8(2) * 256u + bytes.u8(3);
    frag = bytes.sub(4);
  }
  if (frag.size < 4) return;
  // The fragment's protocol field is always in its two-byte form.
  switch (frag.u8(0)) {
    case 0x80:
      text.add("\nML_PPP: id %2ld, len %2ld", static_cast<long>(seq), static_cast<long>(c));
      pppDecodeNcp(frag.sub(1), text);
      break;
    case 0xC0:
    case 0xC2:
    case 0xC4:
      text.add("\nML_PPP: id %2ld, len %2ld", static_cast<long>(seq), static_cast<long>(c));
      pppDecodeLinkProtocol(frag, text);
      break;
    default:
      break;
  }
}
