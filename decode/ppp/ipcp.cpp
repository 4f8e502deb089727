// IPCP: addresses, name servers and IP compression.
#include "decode/ppp/ppp_cp.h"
#include "decode/ppp/ppp_decode.h"

namespace {

void optCompression(ByteView o, const char*, const CpHeader&, TextBuf& t) {
  uint16_t proto = o.be16(2);
  if (proto == 0x002D)
    t.add("%sVan Jacobson Compressed TCP/IP", kCpOptLine);
  else
    t.add("%sIP compression Protocol 0x%04X", kCpOptLine, proto);
  if (o.size > 4) t.add(" - Max-Slot-Id %d", o.u8(4));
  if (o.size > 5) t.add(" - Comp-Slot-Id %d", o.u8(5));
}

void appendAddress(ByteView o, const char* name, TextBuf& t) {
  t.add("%s%s %d.%d.%d.%d", kCpOptLine, name, o.u8(2), o.u8(3), o.u8(4), o.u8(5));
}

void optAddress(ByteView o, const char* name, const CpHeader&, TextBuf& t) {
  if (o.size == 6) appendAddress(o, name, t);
}

void optOther(ByteView o, const char*, const CpHeader&, TextBuf& t) {
  t.add("%sOption 0x%02X", kCpOptLine, o.u8(0));
  if (o.size == 6) {
    appendAddress(o, "Special   IP   Address", t);
  } else {
    t.addText(" - Values:");
    cpAppendHexValues(t, o.sub(2));
  }
}

constexpr CpOption kIpcpOptionRows[] = {
    {1, cpOptionName, "IP Addresses (depredated)"},
    {2, optCompression, "IP compression Protocol", 4},
    {3, optAddress, "IP Address"},
    {0x81, optAddress, "Primary   DNS  Address"},
    {0x82, optAddress, "Primary   NBNS Address"},
    {0x83, optAddress, "Secondary DNS  Address"},
    {0x84, optAddress, "Secondary NBNS Address"},
};

// An option of 2 or 3 bytes at the end of the data is not decoded.
constexpr CpOptionTable kIpcpOptions = cpOptions(kIpcpOptionRows, optOther, 4);

constexpr CpNcpCodes kIpcpCodes = cpNcpCodes(&kIpcpOptions);

constexpr CpProtocol kIpcp = cpProtocol("IPCP", kIpcpCodes);

}  // namespace

void pppDecodeIpcp(ByteView bytes, TextBuf& text) { cpDecodePacket(bytes, kIpcp, text); }
