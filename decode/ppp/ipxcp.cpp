// IPXCP: network and node numbers, compression, routing, router name.
#include "decode/ppp/ppp_cp.h"
#include "decode/ppp/ppp_decode.h"
#include "trace/nametable.h"

namespace {

void optNetwork(ByteView o, const char*, const CpHeader&, TextBuf& t) {
  if (o.size == 6)
    t.add("%sIPX-Network-Number %d.%d.%d.%d", kCpOptLine, o.u8(2), o.u8(3), o.u8(4), o.u8(5));
}

void optNode(ByteView o, const char*, const CpHeader&, TextBuf& t) {
  if (o.size == 8)
    t.add("%sIPX-Node-Number %02x.%02x.%02x.%02x.%02x.%02x", kCpOptLine, o.u8(2), o.u8(3),
          o.u8(4), o.u8(5), o.u8(6), o.u8(7));
}

constexpr NameEntry kCompressions[] = {
    {0x0002, "Telebit Compressed IPX"},
    {0x0235, "Shiva Compressed NCP/IPX"},
};

constexpr NameEntry kRoutings[] = {
    {0, "No routing protocol required"},
    {2, "Novell RIP/SAP required"},
    {4, "Novell NLSP required"},
};

void optCompression(ByteView o, const char*, const CpHeader&, TextBuf& t) {
  if (o.size < 4) return;
  if (const char* name = nameOf(kCompressions, o.be16(2))) t.add("%s%s", kCpOptLine, name);
}

void optRouting(ByteView o, const char*, const CpHeader&, TextBuf& t) {
  if (o.size < 4) return;
  if (const char* name = nameOf(kRoutings, o.be16(2))) t.add("%s%s", kCpOptLine, name);
}

// The router name follows the text before it directly, as it stands.
void optRouterName(ByteView o, const char*, const CpHeader&, TextBuf& t) {
  if (o.size >= 3) pppAppendRaw(t, o.sub(2));
}

void optComplete(ByteView o, const char*, const CpHeader&, TextBuf& t) {
  if (o.size == 2) t.add("%sIPX-Configuration-Complete", kCpOptLine);
}

constexpr CpOption kIpxcpOptionRows[] = {
    {1, optNetwork, "IPX-Network-Number"},
    {2, optNode, "IPX-Node-Number"},
    {3, optCompression, "IPX-Compression-Protocol"},
    {4, optRouting, "IPX-Routing-Protocol"},
    {5, optRouterName, "IPX-Router-Name"},
    {6, optComplete, "IPX-Configuration-Complete"},
};

constexpr CpOptionTable kIpxcpOptions = cpOptions(kIpxcpOptionRows, nullptr);

constexpr CpNcpCodes kIpxcpCodes = cpNcpCodes(&kIpxcpOptions);

// IPXCP header lines show the size of the data, not the length field.
constexpr CpProtocol kIpxcp = cpProtocol("IPX ", kIpxcpCodes, kCpLenIsData);

}  // namespace

void pppDecodeIpxcp(ByteView bytes, TextBuf& text) { cpDecodePacket(bytes, kIpxcp, text); }
