// Network-layer indications, requests, return codes and receiver-not-ready
// entries. W1: code (low byte), channel (high byte); W2: entity Id (low
// byte), tag (high byte).
#include <cstdio>

#include "decode/adapter/adapter_names.h"
#include "decode/adapter/xlog_codes.h"
#include "decode/adapter/xlog_text.h"

namespace {

struct NlFields {
  unsigned code, channel, id, tag;
};

NlFields nlFields(ByteView e) { return {e.u8(2), e.u8(3), e.u8(4), e.u8(5)}; }

constexpr unsigned kNlEntityId = 0x20;
constexpr unsigned kNlErrorEntityId = 0x3F;

// "[%02x] "
void addTag(TextBuf& line, unsigned tag) {
  line.addChar('[');
  xlogAddHex2(line, tag);
  line.addText("] ");
}

// " Id:%02x, Ch:%02x" (or the Id as a text)
void addIdAndChannel(TextBuf& line, const char* idText, unsigned id, unsigned channel) {
  line.addText(" Id:");
  if (idText)
    line.addText(idText);
  else
    xlogAddHex2(line, id);
  line.addText(", Ch:");
  xlogAddHex2(line, channel);
}

// "[tag] NAME KIND Id:.., Ch:.." or "[tag] N-UNKNOWN NS KIND(code) Id:.., Ch:.."
void printPrimitive(FILE* out, const NlFields& f, const char* name, const char* kind) {
  FixedText<256> line;
  addTag(line, f.tag);
  if (name) {
    line.addText(name);
    line.addChar(' ');
    line.addText(kind);
  } else {
    line.addText("N-UNKNOWN NS ");
    line.addText(kind);
    line.addChar('(');
    xlogAddHex2(line, f.code);
    line.addChar(')');
  }
  addIdAndChannel(line, nullptr, f.id, f.channel);
  std::fputs(line.str(), out);
}

}  // namespace

void xlogPrintNlIndication(FILE* out, ByteView e) {
  NlFields f = nlFields(e);
  printPrimitive(out, f, f.code == 0x0F ? "N-CDATA" : adapterNlName(f.code), "IND");
}

void xlogPrintNlRequest(FILE* out, ByteView e) {
  NlFields f = nlFields(e);
  // An assignment goes to the network-layer entity itself, whatever its code.
  if (f.id == kNlEntityId) {
    FixedText<256> line;
    addTag(line, f.tag);
    line.addText("N-ASSIGN REQ");
    addIdAndChannel(line, "NL_ID", f.id, f.channel);
    std::fputs(line.str(), out);
    return;
  }
  const char* name = f.code == 0xFF   ? "N-REMOVE"
                     : f.code == 0x0F ? "N-XON"
                     : f.code == 0xFE ? "N-UREMOVE"
                                      : adapterNlName(f.code);
  printPrimitive(out, f, name, "REQ");
}

void xlogPrintNlReturnCode(FILE* out, ByteView e) {
  NlFields f = nlFields(e);
  FixedText<256> line;
  addTag(line, f.tag);
  line.addText("N-RC=");
  adapterRcName(line, f.code);
  addIdAndChannel(line, f.id == kNlErrorEntityId ? "NL_ID+GL_ERR_ID" : nullptr, f.id, f.channel);
  std::fputs(line.str(), out);
}

void xlogPrintNlNotReady(FILE* out, ByteView e) {
  NlFields f = nlFields(e);
  FixedText<256> line;
  addTag(line, f.tag);
  line.addText("N-RNR");
  addIdAndChannel(line, nullptr, f.id, f.channel);
  std::fputs(line.str(), out);
}
