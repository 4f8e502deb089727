// LCP: packets, configuration options, Protocol-Reject and the shorthold
// extension carried in Discard-Request packets.
#include "control/diag.h"
#include "decode/ppp/ppp_cp.h"
#include "decode/ppp/ppp_decode.h"
#include "trace/nametable.h"

namespace {

void optMru(ByteView o, const char*, const CpHeader&, TextBuf& t) {
  t.add("%sMaximum-Receive-Unit %d", kCpOptLine, o.be16(2));
}

void optAccm(ByteView o, const char*, const CpHeader&, TextBuf& t) {
  if (o.size == 6)
    t.add("%sAsync-CC-Map 0x%08X", kCpOptLine, o.be32(2));
  else
    t.add("%sAsync-CC-Map illegal", kCpOptLine);
}

void optSpap(ByteView o, TextBuf& t) {
  t.add("%sAuthentication-Protocol ==> SPAP", kCpOptLine);
  // Fields: d[0] encryption, d[1] padding, d[2..3] version, d[4..7]
  // capability bitmask; printed last field first. Bytes the option does not
  // carry count as zero.
  ByteView d = o.sub(4);
  size_t c = d.size;
  if (c >= 5) t.add("%sCapability Bitmask 0x%08X", kCpSubLine, d.be32(4));
  if (c >= 4) t.add("%sSPAP Version 0x%02X%02X", kCpSubLine, d.u8(2), d.u8(3));
  if (c >= 2) t.add("%sPadding %d", kCpSubLine, d.u8(1));
  if (c >= 1) t.add("%sEncryption 0x%02X", kCpSubLine, d.u8(0));
}

void lcpDecodeAuthOption(ByteView o, TextBuf& t) {
  uint16_t proto = o.be16(2);
  switch (proto) {
    case 0xC023:
      if (o.size == 4) t.add("%sAuthentication-Protocol ==> PAP", kCpOptLine);
      break;
    case 0xC027:
      optSpap(o, t);
      break;
    case 0xC223:
      if (o.size != 5) break;
      if (o.u8(4) == 5)
        t.add("%sAuthentication-Protocol ==> CHAP-MD5", kCpOptLine);
      else
        t.add("%sAuthentication-Protocol ==> CHAP-%d", kCpOptLine, o.u8(4));
      break;
    case 0xC281:
      t.add("%sProprietary Authentication Protocol", kCpOptLine);
      break;
    default:
      t.add("%sAuthentication-Protocol ==> 0x%04X", kCpOptLine, proto);
      break;
  }
}

void optAuth(ByteView o, const char*, const CpHeader&, TextBuf& t) { lcpDecodeAuthOption(o, t); }

void optQuality(ByteView o, const char*, const CpHeader&, TextBuf& t) {
  if (o.size == 4)
    t.add("%sQuality-Protocol 0x%04X", kCpOptLine, o.be16(2));
  else if (o.size == 8)
    t.add("%sQuality-Protocol 0x%04X - Period %ld ms", kCpOptLine, o.be16(2),
          asLong32(o.be32(4) * 10ul));
}

void optMagic(ByteView o, const char*, const CpHeader&, TextBuf& t) {
  t.add("%sMagic-Number 0x%02X%02X%02X%02X", kCpOptLine, o.u8(2), o.u8(3), o.u8(4), o.u8(5));
}

void optFcs(ByteView o, const char*, const CpHeader&, TextBuf& t) {
  uint8_t v = o.u8(2);
  t.add("%sFCS-Alternatives ==> %s FCS", kCpOptLine,
        v == 1 ? "Null" : v == 2 ? "CCITT 16-Bit" : "CCITT 32-Bit");
}

constexpr const char* kCallbackOps[] = {
    "Location determined by user authentication",
    "Dialing string = ",
    "Location Identifier = ",
    "E.164 Number",
    "X.500 distinguished name",
    nullptr,
    "Location is determined during CBCP negotiation",
};

void optCallback(ByteView o, const char*, const CpHeader&, TextBuf& t) {
  uint8_t op = o.u8(2);
  t.add("%sCallback ==> %s", kCpOptLine, nameAt(kCallbackOps, op, ""));
  // The dialing string and location identifier follow as they stand.
  if (op == 1 || op == 2) pppAppendRaw(t, o.sub(3));
}

void optMrru(ByteView o, const char*, const CpHeader&, TextBuf& t) {
  t.add("%sMultilink-MRRU %d", kCpOptLine, o.be16(2));
}

constexpr const char* kEndpointClasses[] = {
    "Null Class",
    "Locally Assigned Address",
    nullptr,  // IP address, printed with its value
    nullptr,  // MAC address, printed with its value
    "PPP Magic-Number Block",
    "Public Switched Network Directory Number",
};

void optEndpoint(ByteView o, const char*, const CpHeader&, TextBuf& t) {
  t.add("%sMultilink-Endpoint-Discriminator", kCpOptLine);
  uint8_t cls = o.u8(2);
  if (cls == 2) {
    if (o.size < 7)
      t.add("%sIP-Address illegal, len %d", kCpSubLine, static_cast<int>(o.size));
    else
      t.add("%sIP-Address %d.%d.%d.%d", kCpSubLine, o.u8(3), o.u8(4), o.u8(5), o.u8(6));
  } else if (cls == 3) {
    if (o.size < 9)
      t.add("%sIEEE 802.1 MAC Addr illegal, len %d", kCpSubLine, static_cast<int>(o.size));
    else
      t.add("%sIEEE 802.1 MAC Addr %02X.%02X.%02X.%02X.%02X.%02X", kCpSubLine, o.u8(3), o.u8(4),
            o.u8(5), o.u8(6), o.u8(7), o.u8(8));
  } else if (const char* name = nameAt(kEndpointClasses, cls)) {
    t.add("%s%s", kCpSubLine, name);
  }
}

void optBapLink(ByteView o, const char*, const CpHeader&, TextBuf& t) {
  if (o.size == 4) t.add("%sBAP Link Discriminator 0x%04X", kCpOptLine, o.be16(2));
}

void optUnknown(ByteView o, const char*, const CpHeader&, TextBuf& t) {
  t.add("%sUnknown Option 0x%X, len %d", kCpOptLine, o.u8(0), static_cast<int>(o.size));
}

// Options that carry a fixed-width value name the shortest length that
// holds it; shorter ones print the "illegal" line.
constexpr CpOption kLcpOptionRows[] = {
    {1, optMru, "Maximum-Receive-Unit", 4},
    {2, optAccm, "Async-CC-Map"},
    {3, optAuth, "Authentication-Protocol", 4},
    {4, optQuality, "Quality-Protocol"},
    {5, optMagic, "Magic-Number", 6},
    {7, cpOptionName, "Protocol-Field-Compression"},
    {8, cpOptionName, "Addr-and-Control-Field-Compression"},
    {9, optFcs, "FCS-Alternatives", 3},
    {10, cpOptionName, "Self-Describing-Pad"},
    {11, cpOptionName, "Numbered-Mode"},
    {12, cpOptionName, "Multi-Link-Procedure"},
    {13, optCallback, "Callback", 3},
    {14, cpOptionName, "Connect-Time"},
    {15, cpOptionName, "Compound-Frames"},
    {16, cpOptionName, "Nominal-Data-Encapsulation"},
    {17, optMrru, "Multilink-MRRU", 4},
    {18, cpOptionName, "Multilink-Short-Sequence-Number-Header-Format"},
    {19, optEndpoint, "Multilink-Endpoint-Discriminator", 3},
    {20, cpOptionName, "Proprietary                [QAL]"},
    {21, cpOptionName, "DCE-Identifier       [MERTOVANE]"},
    {23, optBapLink, "BAP Link Discriminator"},
};

constexpr CpOptionTable kLcpOptions = cpOptions(kLcpOptionRows, optUnknown);

constexpr NameEntry kShortholdCodes[] = {
    {1, "Shorthold-Request"}, {2, "Shorthold-Ack"},    {3, "Resume-Request"},
    {4, "Resume-Ack"},        {5, "Shorthold-Reject"}, {6, "Resume-Reject"},
    {7, "Resume-Reconnect"},
};

void lcpProtocolReject(ByteView pkt, const CpHeader&, const CpCode&, TextBuf& t) {
  pppDecodeProtocol(pkt.sub(4), t);
}

void lcpDiscard(ByteView pkt, const CpHeader& h, const CpCode&, TextBuf& t) {
  const char* shorthold = nullptr;
  if (h.length >= 48 && pkt.u8(8) == 0xAB && pkt.u8(9) == 0xAB)
    shorthold = nameOf(kShortholdCodes, pkt.u8(10));
  if (shorthold) {
    cpAppendHeader(t, "ESHP", false, h.id, h.length, shorthold);
    t.add("\n      - Magic 0x%02X%02X%02X%02X", pkt.u8(4), pkt.u8(5), pkt.u8(6), pkt.u8(7));
  } else {
    cpAppendHeader(t, "LCP ", false, h.id, h.length, "Discard-Request");
  }
}

constexpr CpCode kLcpCodes[] = {
    {1, "Configure-Request", 0, &kLcpOptions},
    {2, "Configure-Ack", 0, &kLcpOptions},
    {3, "Configure-Nak", 0, &kLcpOptions},
    {4, "Configure-Reject", 0, &kLcpOptions},
    {5, "Terminate-Request"},
    {6, "Terminate-Ack"},
    {7, "Code-Reject", kCpShifted | kCpNest},
    {8, "Protocol-Reject", kCpShifted, nullptr, lcpProtocolReject},
    {9, "Echo-Request"},
    {10, "Echo-Reply"},
    {11, "Discard-Request", kCpOwnHeader, nullptr, lcpDiscard},
    {12, "Identification (LCP)"},
    {13, "Time-Remaining (LCP)"},
    {14, "Reset-Request (CCP)"},
    {15, "Reset-Reply (CCP)"},
};

constexpr CpProtocol kLcp = cpProtocol("LCP ", kLcpCodes);

}  // namespace

void pppDecodeLcp(ByteView bytes, TextBuf& text) { cpDecodePacket(bytes, kLcp, text); }
