// OKB requests, return codes and indications. W1: OKB tag (high byte), A
// value (low byte); W2: channel (high byte), entity Id (low byte); W3: entity
// class (high byte) and code (low byte); W4: return kind or delivery kind.
#include <cstdio>

#include "decode/adapter/adapter_names.h"
#include "decode/adapter/xlog_codes.h"
#include "decode/adapter/xlog_names.h"
#include "decode/adapter/xlog_text.h"

namespace {

struct OkbFields {
  unsigned a, tag, id, channel, code, entityClass, w4Low, w4High;
};

OkbFields okbFields(ByteView e) {
  return {e.u8(2), e.u8(3), e.u8(4), e.u8(5), e.u8(6), e.u8(7), e.u8(8), e.u8(9)};
}

constexpr unsigned kSigClass = 0x00;
constexpr unsigned kNlClass = 0x20;
constexpr unsigned kManClass = 0xE0;

// "OKB[%02x] "
void addOkbHead(TextBuf& line, unsigned tag) {
  line.addText("OKB[");
  xlogAddHex2(line, tag);
  line.addText("] ");
}

void addEntityId(TextBuf& line, unsigned id) {
  if (const char* name = xlogEntityIdName(id))
    line.addText(name);
  else
    xlogAddHex2(line, id);
}

// The network-layer name, or "N-UNKNOWN NS(%02x)".
void addNlName(TextBuf& line, const char* name, unsigned code) {
  if (name) {
    line.addText(name);
  } else {
    line.addText("N-UNKNOWN NS(");
    xlogAddHex2(line, code);
    line.addChar(')');
  }
}

// "?-(%02x)" for an entity class without names.
void addUnknownClass(TextBuf& line, unsigned code) {
  line.addText("?-(");
  xlogAddHex2(line, code);
  line.addChar(')');
}

// " A(%02x)"
void addAValue(TextBuf& line, unsigned a) {
  line.addText(" A(");
  xlogAddHex2(line, a);
  line.addChar(')');
}

}  // namespace

void xlogPrintOkbRequest(FILE* out, ByteView e) {
  OkbFields f = okbFields(e);
  FixedText<256> line;
  addOkbHead(line, f.tag);
  switch (f.entityClass) {
    case kSigClass:
      if (f.id == 0)
        line.addText("S-ASSIGN");
      else
        adapterSigName(line, f.code, true);
      break;
    case kNlClass:
      addNlName(line,
                (f.code == 1 && f.id == 0x20) ? "N-ASSIGN"
                : f.code == 0xFF              ? "N-REMOVE"
                : f.code == 0x0F              ? "N-XON"
                : f.code == 0xFE              ? "N-UREMOVE"
                                              : adapterNlName(f.code),
                f.code);
      break;
    case kManClass:
      adapterManName(line, f.code, true);
      break;
    default:
      addUnknownClass(line, f.code);
  }
  line.addText(" REQ Id:");
  addEntityId(line, f.id);
  line.addText(", Ch:");
  xlogAddHex2(line, f.channel);
  line.addChar(',');
  addAValue(line, f.a);
  std::fputs(line.str(), out);
}

void xlogPrintOkbReturnCode(FILE* out, ByteView e) {
  OkbFields f = okbFields(e);
  FixedText<256> line;
  addOkbHead(line, f.tag);
  line.addText(f.entityClass == kSigClass   ? "S-"
               : f.entityClass == kNlClass  ? "N-"
               : f.entityClass == kManClass ? "MAN-"
                                            : "");
  line.addText("RC=");
  if (f.code == 0xFD)
    line.addText("READY_INT");
  else
    adapterRcName(line, f.code);
  line.addText(" Id:");
  const char* errorId = f.id == 0x3F   ? "NL_ID+GL_ERR_ID"
                        : f.id == 0x1F ? "DSIG_ID+GL_ERR_ID"
                        : f.id == 0xFF ? "MAN_ID+GL_ERR_ID"
                                       : nullptr;
  if (errorId)
    line.addText(errorId);
  else
    xlogAddHex2(line, f.id);
  line.addText(", Ch:");
  xlogAddHex2(line, f.channel);
  static constexpr const char* kReturnKinds[] = {" DELIVERY", " CALLBACK", " ASSIGN"};
  if (f.w4Low < 3) line.addText(kReturnKinds[f.w4Low]);
  addAValue(line, f.a);
  std::fputs(line.str(), out);
}

void xlogPrintOkbIndication(FILE* out, ByteView e) {
  OkbFields f = okbFields(e);
  FixedText<256> line;
  addOkbHead(line, f.tag);
  switch (f.entityClass) {
    case kSigClass:
      adapterSigName(line, f.code, false);
      break;
    case kNlClass:
      addNlName(line, f.code == 0x0F ? "N-CDATA" : adapterNlName(f.code), f.code);
      break;
    case kManClass:
      adapterManName(line, f.code, false);
      break;
    default:
      addUnknownClass(line, f.code);
  }
  line.addText(" IND Id:");
  addEntityId(line, f.id);
  line.addText(", Ch:");
  xlogAddHex2(line, f.channel);
  line.addChar(' ');
  // Delivery kinds by the high byte of W4; 1 carries a count in the low byte.
  static constexpr const char* kDeliveryKinds[] = {"DELIVERY", "RNR=", "RNum=0", "COMPLETE"};
  if (f.w4High < 4) line.addText(kDeliveryKinds[f.w4High]);
  if (f.w4High == 1) xlogAddDec(line, static_cast<int>(f.w4Low), 1);
  addAValue(line, f.a);
  std::fputs(line.str(), out);
}
