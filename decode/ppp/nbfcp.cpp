// NBFCP: NetBIOS name projection, peer information and multicast filtering.
#include "decode/ppp/ppp_cp.h"
#include "decode/ppp/ppp_decode.h"
#include "trace/nametable.h"

namespace {

constexpr size_t kNameEntry = 17;  // 16-byte NetBIOS name and a type or result byte
constexpr size_t kNameShown = 15;

constexpr NameEntry kProjectionResults[] = {
    {0, " Successfully added"},
    {13, " Duplicate name in local table"},
    {14, " Name table full"},
    {21, " Name not fount"},
    {22, " Name in use on remote NetBIOS"},
    {25, " Name conflict detected"},
    {48, " Name defined by another environment"},
    {53, " Required system resources exhausted"},
};

constexpr const char* kPeerClasses[] = {
    "Undefined ...",
    "Reserved ...",
    "PPP NetBIOS Gateway Server",
    "Reserved ...",
    "PPP Local Access Only Server",
    "Reserved ...",
    "PPP NBF Bridge",
    "Reserved ...",
    "PPP End-System",
};

// Configure-Request and -Ack carry name types, Nak and Reject results.
bool requestForm(const CpHeader& h) { return h.code == 1 || h.code == 2; }

void optNameProjection(ByteView o, const char*, const CpHeader& h, TextBuf& t) {
  t.add("%sName-Projection", kCpOptLine);
  for (size_t at = 2; at < o.size && !t.cut; at += kNameEntry) {
    ByteView entry = o.sub(at, kNameEntry);
    if (entry.size < kNameEntry) {  // runs past the option's end
      t.add("%sName illegal, len %d", kCpSubLine, static_cast<int>(entry.size));
      break;
    }
    uint8_t last = entry.u8(kNameEntry - 1);
    if (requestForm(h)) {
      t.add("%s%s Name", kCpSubLine, last == 1 ? "Unique" : "Group ");
      pppAppendNameQuoted(t, entry.sub(0, kNameShown));
    } else {
      t.addText("\n          --");
      pppAppendNameQuoted(t, entry.sub(0, kNameShown));
      if (const char* r = nameOf(kProjectionResults, last))
        t.addText(r);
      else
        t.add(" Undefined result 0x%02X", last);
    }
  }
}

void optPeerInfo(ByteView o, const char*, const CpHeader&, TextBuf& t) {
  if (o.size > 8) {
    t.add("%sPeer Information for ", kCpOptLine);
    pppAppendNameQuoted(t, o.sub(8));
  } else {
    t.add("%sPeer Information", kCpOptLine);
  }
  t.add("%sClass '%s' Version 0x%04X / 0x%04X", kCpSubLine,
        nameAt(kPeerClasses, o.be16(2), "Undefined ..."), o.be16(4), o.be16(6));
}

void optMulticast(ByteView o, const char*, const CpHeader&, TextBuf& t) {
  if (o.size == 5)
    t.add("%sMulticast-Filtering - Period %d - Prior %d", kCpOptLine, o.be16(2), o.u8(4));
}

void optUnknown(ByteView o, const char*, const CpHeader&, TextBuf& t) {
  t.add("%sUnknown NBFCP Option 0x%02X", kCpOptLine, o.u8(0));
}

constexpr CpOption kNbfcpOptionRows[] = {
    {1, optNameProjection, "Name-Projection"},
    {2, optPeerInfo, "Peer Information", 8},
    {3, optMulticast, "Multicast-Filtering"},
    {4, cpOptionName, "IEEE-MAC-Address-Required"},
};

constexpr CpOptionTable kNbfcpOptions = cpOptions(kNbfcpOptionRows, optUnknown, 4);

constexpr CpNcpCodes kNbfcpCodes = cpNcpCodes(&kNbfcpOptions);

constexpr CpProtocol kNbfcp = cpProtocol("NBCP", kNbfcpCodes);

}  // namespace

void pppDecodeNbfcp(ByteView bytes, TextBuf& text) { cpDecodePacket(bytes, kNbfcp, text); }
