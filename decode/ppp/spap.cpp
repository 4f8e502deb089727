// SPAP: the authenticate request's attributes and the dialog texts.
#include "decode/ppp/ppp_cp.h"
#include "decode/ppp/ppp_decode.h"

namespace {

constexpr const char* kAttrLine = "\n      - ";

void attrText(ByteView a, const char* name, const CpHeader&, TextBuf& t) {
  t.add("%s%s: ", kAttrLine, name);
  pppPrintable(t, a.sub(2));
}

void attrResuming(ByteView, const char*, const CpHeader&, TextBuf& t) {
  t.add("%sResuming Virtual Connection", kAttrLine);
}

void attrCapability(ByteView a, const char*, const CpHeader&, TextBuf& t) {
  t.add("%sCapability Bitmask 0x%02X%02X", kAttrLine, a.u8(2), a.u8(3));
}

constexpr CpOption kAttributeRows[] = {
    {1, attrText, "Username"},
    {2, attrText, "Password"},
    {7, attrResuming, "Resuming Virtual Connection"},
    {11, attrCapability, "Capability Bitmask", 4},
};

constexpr CpOptionTable kAttributes = cpOptions(kAttributeRows, nullptr, 2, kAttrLine);

// Dialog attributes are not typed; only values longer than 4 bytes are text.
void dialogAttr(ByteView a, const char*, const CpHeader&, TextBuf& t) {
  if (a.size - 2 <= 4) return;
  t.addText(kAttrLine);
  pppPrintable(t, a.sub(2));
}

constexpr CpOptionTable kDialog = CpOptionTable{nullptr, 0, dialogAttr, 2, kAttrLine};

constexpr CpCode kSpapCodes[] = {
    {2, "Authenticate-Ack"},
    {3, "Authenticate-Callback"},
    {4, "Authenticate-Nak"},
    {5, "Request-Authentication"},
    {6, "Authenticate-Req", 0, &kAttributes},
    {7, "Change Password"},
    {8, "Alert"},
    {9, "Alert-Ack"},
    {14, "Dialog-Request", 0, &kDialog},
    {15, "Dialog-Response", 0, &kDialog},
};

// SPAP packets may be followed by further bytes in the payload.
constexpr CpProtocol kSpap = cpProtocol("SPAP", kSpapCodes, kCpAllowLonger);

}  // namespace

void pppDecodeSpap(ByteView bytes, TextBuf& text) { cpDecodePacket(bytes, kSpap, text); }
