// BAP: call, callback, link-drop and call-status requests and responses.
#include "decode/ppp/ppp_cp.h"
#include "decode/ppp/ppp_decode.h"
#include "trace/nametable.h"

// "'", the bytes without their trailing zeros, "'". The bytes are raw
// values from the peer, so they go through the printable copy: a control
// character shows as "." and cannot disturb the output.
void bapAppendTrimmed(TextBuf& t, ByteView v) {
  size_t n = v.size;
  while (n > 0 && v.u8(n - 1) == 0) --n;
  t.addChar('\'');
  pppPrintable(t, v.sub(0, n));
  t.addChar('\'');
}

namespace {

constexpr const char* kLinkTypes[] = {
    "ISDN", "X.25", "Analog", "Switched Digital (non ISDN)", "Data Over Voice",
};

void optLinkType(ByteView o, const char*, const CpHeader&, TextBuf& t) {
  if (o.size < 4) return;
  t.add("%sLink Type%sSpeed %d kBit/s", kCpOptLine, kCpSubLine, o.be16(2));
  if (o.size < 5) return;
  for (unsigned bit = 0; bit < 5; ++bit)
    if (o.u8(4) & (1u << bit)) t.add("%s%s", kCpSubLine, kLinkTypes[bit]);
}

void subUniqueDigits(ByteView s, const char*, const CpHeader&, TextBuf& t) {
  t.add("%sUnique Digits ...", kCpSubLine);
  bapAppendTrimmed(t, s.sub(2));
}

void subNumber(ByteView s, const char* name, const CpHeader&, TextBuf& t) {
  t.add("%s%s ", kCpSubLine, name);
  bapAppendTrimmed(t, s.sub(2));
}

constexpr CpOption kPhoneDeltaRows[] = {
    {1, subUniqueDigits, "Unique Digits"},
    {2, subNumber, "Subscriber Number"},
    {3, subNumber, "Phone Number Sub-Address"},
};

constexpr CpOptionTable kPhoneDelta = cpOptions(kPhoneDeltaRows, nullptr, 2, kCpSubLine);

void optPhoneDelta(ByteView o, const char*, const CpHeader& h, TextBuf& t) {
  if (o.size < 5) return;
  t.add("%sPhone Delta", kCpOptLine);
  cpWalkOptions(o.sub(2), kPhoneDelta, h, t);
}

void optNoPhone(ByteView o, const char*, const CpHeader&, TextBuf& t) {
  if (o.size == 2) t.add("%sNo Phone Number needed", kCpOptLine);
}

void optReason(ByteView o, const char*, const CpHeader&, TextBuf& t) {
  t.add("%sReason ", kCpOptLine);
  bapAppendTrimmed(t, o.sub(2));
}

void optLinkDiscriminator(ByteView o, const char*, const CpHeader&, TextBuf& t) {
  if (o.size == 4) t.add("%sBAP Link Discriminator 0x%04X", kCpOptLine, o.be16(2));
}

void optCallStatus(ByteView o, const char*, const CpHeader&, TextBuf& t) {
  if (o.size != 4) return;
  if (o.u8(2) == 0)
    t.add("%sBAP Call Status OK", kCpOptLine);
  else
    t.add("%sBAP Call Status 0x%02X - %s", kCpOptLine, o.u8(2), o.u8(3) ? "Retry" : "No Retry");
}

void optUnknown(ByteView o, const char*, const CpHeader&, TextBuf& t) {
  t.add("%sUnknown BAP Option 0x%02X/len %d", kCpOptLine, o.u8(0), static_cast<int>(o.size));
}

constexpr CpOption kBapOptionRows[] = {
    {1, optLinkType, "Link Type"},
    {2, optPhoneDelta, "Phone Delta"},
    {3, optNoPhone, "No Phone Number needed"},
    {4, optReason, "Reason"},
    {5, optLinkDiscriminator, "BAP Link Discriminator"},
    {6, optCallStatus, "BAP Call Status"},
};

constexpr CpOptionTable kBapOptions = cpOptions(kBapOptionRows, optUnknown);

constexpr NameEntry kResponseCodes[] = {
    {0, "-Ack"}, {1, "-Nak"}, {2, "-Reject"}, {3, "-Full-Nak"},
};

void bapRequest(ByteView pkt, const CpHeader& h, const CpCode& row, TextBuf& t) {
  t.add("\n  BAP : id %2d, len %2d ==> %s-Request", h.id, h.length, row.name);
  cpWalkOptions(pkt.sub(4), kBapOptions, h, t);
}

// The name joins the packet's name, "-Response" and the response code's
// suffix, as in "Call-Response-Ack". A response too short for its code byte
// shows no suffix and no options.
void bapResponse(ByteView pkt, const CpHeader& h, const CpCode& row, TextBuf& t) {
  const char* suffix = pkt.size >= 5 ? nameOf(kResponseCodes, pkt.u8(4), "") : "";
  t.add("\n  BAP : id %2d, len %2d ==> %s-Response%s", h.id, h.length, row.name, suffix);
  cpWalkOptions(pkt.sub(5), kBapOptions, h, t);
}

constexpr CpCode kBapCodes[] = {
    {1, "Call", kCpOwnHeader, nullptr, bapRequest},
    {2, "Call", kCpOwnHeader, nullptr, bapResponse},
    {3, "Callback", kCpOwnHeader, nullptr, bapRequest},
    {4, "Callback", kCpOwnHeader, nullptr, bapResponse},
    {5, "Link-Drop-Query", kCpOwnHeader, nullptr, bapRequest},
    {6, "Link-Drop-Query", kCpOwnHeader, nullptr, bapResponse},
    {7, "Call-Status", kCpOwnHeader, nullptr, bapRequest},
    {8, "Call-Status", kCpOwnHeader, nullptr, bapResponse},
};

constexpr CpProtocol kBap = cpProtocol("BAP ", kBapCodes);

}  // namespace

void pppDecodeBap(ByteView bytes, TextBuf& text) { cpDecodePacket(bytes, kBap, text); }
