// Network-layer indications, requests, return codes and receiver-not-ready
// entries. W1: code (low byte), channel (high byte); W2: entity Id (low
// byte), tag (high byte).
#include <cstdio>

#include "decode/adapter/adapter_names.h"
#include "decode/adapter/xlog_codes.h"
#include "trace/textbuf.h"

namespace {

struct NlFields {
  unsigned code, channel, id, tag;
};

NlFields nlFields(ByteView e) {
  return {e.u8(2), e.u8(3), e.u8(4), e.u8(5)};
}

constexpr unsigned kNlEntityId = 0x20;
constexpr unsigned kNlErrorEntityId = 0x3F;

}  // namespace

void xlogPrintNlIndication(FILE* out, ByteView e) {
  NlFields f = nlFields(e);
  const char* name = f.code == 0x0F ? "N-CDATA" : adapterNlName(f.code);
  if (name)
    std::fprintf(out, "[%02x] %s IND Id:%02x, Ch:%02x", f.tag, name, f.id, f.channel);
  else
    std::fprintf(out, "[%02x] N-UNKNOWN NS IND(%02x) Id:%02x, Ch:%02x", f.tag, f.code, f.id, f.channel);
}

void xlogPrintNlRequest(FILE* out, ByteView e) {
  NlFields f = nlFields(e);
  // An assignment goes to the network-layer entity itself, whatever its code.
  if (f.id == kNlEntityId) {
    std::fprintf(out, "[%02x] %s REQ Id:%s, Ch:%02x", f.tag, "N-ASSIGN", "NL_ID", f.channel);
    return;
  }
  const char* name = f.code == 0xFF   ? "N-REMOVE"
                     : f.code == 0x0F ? "N-XON"
                     : f.code == 0xFE ? "N-UREMOVE"
                                      : adapterNlName(f.code);
  if (name)
    std::fprintf(out, "[%02x] %s REQ Id:%02x, Ch:%02x", f.tag, name, f.id, f.channel);
  else
    std::fprintf(out, "[%02x] N-UNKNOWN NS REQ(%02x) Id:%02x, Ch:%02x", f.tag, f.code, f.id, f.channel);
}

void xlogPrintNlReturnCode(FILE* out, ByteView e) {
  NlFields f = nlFields(e);
  FixedText<256> line;
  line.add("[%02x] N-RC=", f.tag);
  adapterRcName(line, f.code);
  if (f.id == kNlErrorEntityId)
    line.add(" Id:%s, Ch:%02x", "NL_ID+GL_ERR_ID", f.channel);
  else
    line.add(" Id:%02x, Ch:%02x", f.id, f.channel);
  std::fputs(line.str(), out);
}

void xlogPrintNlNotReady(FILE* out, ByteView e) {
  NlFields f = nlFields(e);
  std::fprintf(out, "[%02x] N-RNR Id:%02x, Ch:%02x", f.tag, f.id, f.channel);
}
