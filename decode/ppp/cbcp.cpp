// CBCP: callback options with their delay and address entries.
#include "decode/ppp/ppp_cp.h"
#include "decode/ppp/ppp_decode.h"

namespace {

void cbcpDetails(ByteView o, TextBuf& t) {
  if (o.size > 2) t.add("%sCallback delay %d", kCpSubLine, o.u8(2));
  // Address entries: a type byte and a zero-terminated address; an address
  // without its zero ends at the option's end.
  for (size_t off = 3; off < o.size && !t.cut;) {
    uint8_t type = o.u8(off);
    if (type == 1)
      t.add("%sPSTN/ISDN Addr ==>", kCpSubLine);
    else
      t.add("%sAddr Type 0x%02X ==>", kCpSubLine, type);
    size_t n = o.strLen(off + 1);
    pppAppendNameQuoted(t, o.sub(off + 1, n));
    off += n + 2;
  }
}

void cbcpOption(ByteView o, const char* name, const CpHeader&, TextBuf& t) {
  t.add("%s%s", kCpOptLine, name);
  cbcpDetails(o, t);
}

void cbcpUnknown(ByteView o, const char*, const CpHeader&, TextBuf& t) {
  t.add("%sUnknown CBCP Option 0x%02X", kCpOptLine, o.u8(0));
  cbcpDetails(o, t);
}

constexpr CpOption kCbcpOptionRows[] = {
    {1, cbcpOption, "No callback"},
    {2, cbcpOption, "Callback to user specified #"},
    {3, cbcpOption, "Callback to pre-specified #"},
    {4, cbcpOption, "Callback to any of a list of #"},
};

constexpr CpOptionTable kCbcpOptions = cpOptions(kCbcpOptionRows, cbcpUnknown);

constexpr CpCode kCbcpCodes[] = {
    {1, "Callback Request", 0, &kCbcpOptions},
    {2, "Callback Response", 0, &kCbcpOptions},
    {3, "Callback Ack", 0, &kCbcpOptions},
};

constexpr CpProtocol kCbcp = cpProtocol("CBCP", kCbcpCodes);

}  // namespace

void pppDecodeCbcp(ByteView bytes, TextBuf& text) { cpDecodePacket(bytes, kCbcp, text); }
