// OKB requests, return codes and indications. W1: OKB tag (high byte), A
// value (low byte); W2: channel (high byte), entity Id (low byte); W3: entity
// class (high byte) and code (low byte); W4: return kind or delivery kind.
#include <cstdio>

#include "decode/adapter/adapter_names.h"
#include "decode/adapter/xlog_codes.h"
#include "decode/adapter/xlog_names.h"
#include "trace/textbuf.h"

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

void addEntityId(TextBuf& line, unsigned id) {
  if (const char* name = xlogEntityIdName(id))
    line.addText(name);
  else
    line.add("%02x", id);
}

// Network-layer names shared by requests and indications, or nullptr.
const char* nlTableName(unsigned code, const char* forXon) {
  return code == 0x0F ? forXon : adapterNlName(code);
}

}  // namespace

void xlogPrintOkbRequest(FILE* out, ByteView e) {
  OkbFields f = okbFields(e);
  FixedText<256> line;
  line.add("OKB[%02x] ", f.tag);
  switch (f.entityClass) {
    case kSigClass:
      if (f.id == 0)
        line.addText("S-ASSIGN");
      else
        adapterSigName(line, f.code, true);
      break;
    case kNlClass: {
      const char* name = (f.code == 1 && f.id == 0x20) ? "N-ASSIGN"
                         : f.code == 0xFF               ? "N-REMOVE"
                         : f.code == 0xFE               ? "N-UREMOVE"
                                                        : nlTableName(f.code, "N-XON");
      if (name)
        line.addText(name);
      else
        line.add("N-UNKNOWN NS(%02x)", f.code);
      break;
    }
    case kManClass:
      adapterManName(line, f.code, true);
      break;
    default:
      line.add("?-(%02x)", f.code);
  }
  line.addText(" REQ Id:");
  addEntityId(line, f.id);
  line.add(", Ch:%02x, A(%02x)", f.channel, f.a);
  std::fputs(line.str(), out);
}

void xlogPrintOkbReturnCode(FILE* out, ByteView e) {
  OkbFields f = okbFields(e);
  FixedText<256> line;
  line.add("OKB[%02x] ", f.tag);
  line.addText(f.entityClass == kSigClass   ? "S-"
               : f.entityClass == kNlClass  ? "N-"
               : f.entityClass == kManClass ? "MAN-"
                                            : "");
  line.addText("RC=");
  if (f.code == 0xFD)
    line.addText("READY_INT");
  else
    adapterRcName(line, f.code);
  const char* errorId = f.id == 0x3F   ? "NL_ID+GL_ERR_ID"
                        : f.id == 0x1F ? "DSIG_ID+GL_ERR_ID"
                        : f.id == 0xFF ? "MAN_ID+GL_ERR_ID"
                                       : nullptr;
  if (errorId)
    line.add(" Id:%s, Ch:%02x", errorId, f.channel);
  else
    line.add(" Id:%02x, Ch:%02x", f.id, f.channel);
  static constexpr const char* kReturnKinds[] = {" DELIVERY", " CALLBACK", " ASSIGN"};
  if (f.w4Low < 3) line.addText(kReturnKinds[f.w4Low]);
  line.add(" A(%02x)", f.a);
  std::fputs(line.str(), out);
}

void xlogPrintOkbIndication(FILE* out, ByteView e) {
  OkbFields f = okbFields(e);
  FixedText<256> line;
  line.add("OKB[%02x] ", f.tag);
  switch (f.entityClass) {
    case kSigClass:
      adapterSigName(line, f.code, false);
      break;
    case kNlClass:
      if (const char* name = nlTableName(f.code, "N-CDATA"))
        line.addText(name);
      else
        line.add("N-UNKNOWN NS(%02x)", f.code);
      break;
    case kManClass:
      adapterManName(line, f.code, false);
      break;
    default:
      line.add("?-(%02x)", f.code);
  }
  line.addText(" IND Id:");
  addEntityId(line, f.id);
  line.add(", Ch:%02x ", f.channel);
  switch (f.w4High) {
    case 0: line.addText("DELIVERY"); break;
    case 1: line.add("RNR=%d", static_cast<int>(f.w4Low)); break;
    case 2: line.addText("RNum=0"); break;
    case 3: line.addText("COMPLETE"); break;
    default: break;
  }
  line.add(" A(%02x)", f.a);
  std::fputs(line.str(), out);
}
