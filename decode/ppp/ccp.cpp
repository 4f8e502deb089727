// CCP: compression types and their values.
#include "decode/ppp/ppp_cp.h"
#include "decode/ppp/ppp_decode.h"

namespace {

// Options of 3 to 10 bytes show their value bytes behind the line.
void appendValues(ByteView o, TextBuf& t) {
  if (o.size < 3 || o.size > 10) return;
  t.addText(" ==> values:");
  cpAppendHexValues(t, o.sub(2));
}

void optOui(ByteView o, const char*, const CpHeader&, TextBuf& t) {
  if (o.size <= 2)
    t.add("%sOUI ==> no Subtype/Values", kCpOptLine);
  else if (o.size < 6)  // OUI and subtype need four value bytes
    t.add("%sOUI illegal, len %d", kCpOptLine, static_cast<int>(o.size));
  else
    t.add("%sOUI ==> %02X%02X%02X - Subtype 0x%02X", kCpOptLine, o.u8(2), o.u8(3), o.u8(4),
          o.u8(5));
}

void optPredictor(ByteView o, const char*, const CpHeader&, TextBuf& t) {
  t.add("%sPredictor type %d", kCpOptLine, o.u8(0));
  appendValues(o, t);
}

void optNamed(ByteView o, const char* name, const CpHeader&, TextBuf& t) {
  t.add("%s%s", kCpOptLine, name);
  appendValues(o, t);
}

void optUnknown(ByteView o, const char*, const CpHeader&, TextBuf& t) {
  t.add("%sUnknown Compression Type 0x%02X/len %d", kCpOptLine, o.u8(0),
        static_cast<int>(o.size));
  appendValues(o, t);
}

constexpr CpOption kCcpOptionRows[] = {
    {0, optOui, "OUI"},
    {1, optPredictor, "Predictor type 1"},
    {2, optPredictor, "Predictor type 2"},
    {3, optNamed, "Puddle Jumper"},
    {16, optNamed, "Hewlett-Packard PPC"},
    {17, optNamed, "Stac Electronics LZS"},
    {18, optNamed, "Microsoft PPC"},
    {19, optNamed, "Gandalf FZA"},
    {20, optNamed, "V.42bis compression"},
    {21, optNamed, "BSD LZW Compress"},
};

constexpr CpOptionTable kCcpOptions = cpOptions(kCcpOptionRows, optUnknown);

constexpr CpCode kCcpCodes[] = {
    {1, "Configure-Request", 0, &kCcpOptions},
    {2, "Configure-Ack", 0, &kCcpOptions},
    {3, "Configure-Nak", 0, &kCcpOptions},
    {4, "Configure-Reject", 0, &kCcpOptions},
    {5, "Terminate-Request"},
    {6, "Terminate-Ack"},
    {7, "Code-Reject"},  // not nested
    {14, "Reset-Request"},
    {15, "Reset-Reply"},
};

constexpr CpProtocol kCcp = cpProtocol("CCP ", kCcpCodes);

}  // namespace

void pppDecodeCcp(ByteView bytes, TextBuf& text) { cpDecodePacket(bytes, kCcp, text); }
