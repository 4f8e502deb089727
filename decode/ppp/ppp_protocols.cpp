// The protocol field: dispatch to the decoders and the protocols that are
// only named.
#include "decode/ppp/ppp_cp.h"
#include "decode/ppp/ppp_decode.h"
#include "trace/nametable.h"

namespace {

using PacketDecoder = void (*)(ByteView, TextBuf&);

// A protocol is either decoded or only named.
struct ProtocolRow {
  uint16_t code;
  PacketDecoder decode;
  const char* name;
};

constexpr const char* kReservedRfc = "\n  Not Used - reserved           [RFC 1661]";
constexpr const char* kReserved = "\n  reserved";

// Keyed by the second byte of 0x80xx.
constexpr ProtocolRow kNcpProtocols[] = {
    {0x01, nullptr, kReservedRfc},
    {0x03, nullptr, kReservedRfc},
    {0x05, nullptr, kReservedRfc},
    {0x07, nullptr, kReservedRfc},
    {0x09, nullptr, kReservedRfc},
    {0x0B, nullptr, kReservedRfc},
    {0x0D, nullptr, kReservedRfc},
    {0x0F, nullptr, kReservedRfc},
    {0x11, nullptr, kReservedRfc},
    {0x13, nullptr, kReservedRfc},
    {0x15, nullptr, kReservedRfc},
    {0x17, nullptr, kReservedRfc},
    {0x19, nullptr, kReservedRfc},
    {0x1B, nullptr, kReservedRfc},
    {0x1D, nullptr, kReservedRfc},
    {0x1F, nullptr, kReservedRfc},
    {0x21, pppDecodeIpcp, nullptr},
    {0x23, nullptr, "\n  OSI Network Layer Control Protocol"},
    {0x25, nullptr, "\n  Xerox NS IDP Control Protocol"},
    {0x27, nullptr, "\n  DECnet Phase IV Control Protocol"},
    {0x29, nullptr, "\n  Appletalk Control Protocol"},
    {0x2B, pppDecodeIpxcp, nullptr},
    {0x2D, nullptr, kReserved},
    {0x2F, nullptr, kReserved},
    {0x31, nullptr, "\n  Bridging NCP"},
    {0x33, nullptr, "\n  Stream Protocol Control Protocol"},
    {0x35, nullptr, "\n  Banyan Vines Control Protocol"},
    {0x39, nullptr, kReserved},
    {0x3B, nullptr, kReserved},
    {0x3D, nullptr, "\n  Multi-Link Control Protocol"},
    {0x3F, pppDecodeNbfcp, nullptr},
    {0x41, nullptr, "\n  Cisco Systems Control Protocol"},
    {0x43, nullptr, "\n  Ascom Timeplex"},
    {0x45, nullptr, "\n  Fujitsu LBLB Control Protocol"},
    {0x47, nullptr, "\n  DCA Remote Lan Network Control Protocol (RLNCP)"},
    {0x49, nullptr, "\n  Serial Data Control Protocol (PPP-SDCP)"},
    {0x4B, nullptr, "\n  SNA over 802.2 Control Protocol"},
    {0x4D, nullptr, "\n  SNA Control Protocol"},
    {0x4F, nullptr, "\n  IP6 Header Compression Control Protocol"},
    {0x6F, nullptr, "\n  Stampede Bridging Control Protocol"},
    {0x7D, nullptr, kReservedRfc},
    {0xCF, nullptr, kReservedRfc},
    {0xFB, nullptr, "\n  compression on single link in multilink group control"},
    {0xFD, pppDecodeCcp, nullptr},
    {0xFF, nullptr, kReservedRfc},
};

constexpr ProtocolRow kLinkProtocols[] = {
    {0xC021, pppDecodeLcp, nullptr},
    {0xC023, pppDecodePap, nullptr},
    {0xC025, nullptr, "\n  LQR : Link Quality Report"},
    {0xC027, pppDecodeSpap, nullptr},
    {0xC029, pppDecodeCbcp, nullptr},
    {0xC02B, pppDecodeBacp, nullptr},
    {0xC02D, pppDecodeBap, nullptr},
    {0xC081, nullptr, "\n  _CCP: Container Control Protocol"},
    {0xC223, pppDecodeChap, nullptr},
    {0xC26F, nullptr, "\n  SBAP: Stampede Bridging Authorization Protocol"},
    {0xC281, nullptr, "\n  PpAP: Proprietary Authentication Protocol"},
    {0xC481, nullptr, "\n  PNAP: Proprietary Node ID Authentication Protocol"},
};

// Keyed by the second byte of 0x02xx.
constexpr NameEntry kBridgeProtocols[] = {
    {0x01, "\n  802.1d Hello Packets"},
    {0x03, "\n  IBM Source Routing BPDU"},
    {0x05, "\n  DEC LANBridge100 Spanning Tree"},
    {0x31, "\n  Luxcom"},
    {0x33, "\n  Sigma Network Systems"},
};

}  // namespace

void pppNameBridgeProtocol(ByteView bytes, TextBuf& text) {
  if (bytes.empty()) return;
  if (const char* name = nameOf(kBridgeProtocols, bytes.u8(0))) text.addText(name);
}

void pppDecodeNcp(ByteView bytes, TextBuf& text) {
  if (bytes.empty()) return;
  const ProtocolRow* row = cpFindRow(kNcpProtocols, bytes.u8(0));
  if (!row) return;
  if (row->decode)
    row->decode(bytes.sub(1), text);
  else
    text.addText(row->name);
}

void pppDecodeLinkProtocol(ByteView bytes, TextBuf& text) {
  if (bytes.size < 2) return;
  const ProtocolRow* row = cpFindRow(kLinkProtocols, bytes.be16(0));
  if (!row) return;
  if (row->decode)
    row->decode(bytes.sub(2), text);
  else if (bytes.size >= 4)  // a named protocol needs two bytes behind its field
    text.addText(row->name);
}

void pppDecodeProtocol(ByteView bytes, TextBuf& text) {
  if (bytes.size < 2) return;
  switch (bytes.u8(0)) {
    case 0x00:  // network-layer data decodes to nothing, except multilink
      if (bytes.u8(1) == 0x3D) pppDecodeMultilink(bytes.sub(2), text);
      break;
    case 0x02:
      pppNameBridgeProtocol(bytes.sub(1), text);
      break;
    case 0x80:
      pppDecodeNcp(bytes.sub(1), text);
      break;
    case 0xC0:
    case 0xC2:
    case 0xC4:
      pppDecodeLinkProtocol(bytes, text);
      break;
    case 0x3D:  // the one compressed protocol field that is recognised
      pppDecodeMultilink(bytes.sub(1), text);
      break;
    default:
      break;
  }
}
