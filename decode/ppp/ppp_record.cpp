// A PPP record: byte count, the decoded frame text and the hex dump.
#include "decode/ppp/ppp.h"

#include <cstring>

#include "decode/ppp/ppp_decode.h"
#include "trace/hexdump.h"

namespace {

struct AddressControl {
  uint8_t bytes[4];
  size_t size;
};

// Tested in this order; at most one is skipped. Only the address and control
// bytes are un-escaped, nothing else in the frame.
constexpr AddressControl kAddressControl[] = {
    {{0xFF, 0x03}, 2},              // in clear
    {{0xFF, 0x7D, 0x23}, 3},        // control byte escaped
    {{0x7D, 0xDF, 0x7D, 0x23}, 4},  // both bytes escaped
};

size_t addressControlSize(ByteView p) {
  for (const AddressControl& ac : kAddressControl)
    if (p.has(0, ac.size) && std::memcmp(p.data, ac.bytes, ac.size) == 0) return ac.size;
  return 0;
}

}  // namespace

void pppDecodeFrame(ByteView payload, TextBuf& text) {
  ByteView frame = payload.sub(addressControlSize(payload));
  // A protocol field has one even and one odd byte.
  if (frame.size >= 4 && ((frame.u8(0) ^ frame.u8(1)) & 1)) pppDecodeProtocol(frame, text);
}

void pppDecodeRecord(FILE* out, const DebugRecord& rec) {
  FixedText<kPppFrameText> text;
  pppDecodeFrame(rec.view(), text);
  if (text.cut) {
    // Keep whole lines only and say that the rest is missing; the hex dump
    // below still shows every byte.
    const char* last = std::strrchr(text.str(), '\n');
    if (last) text.truncate(static_cast<size_t>(last - text.str()));
  }
  std::fprintf(out, "%d bytes", rec.length);
  std::fputs(text.str(), out);
  if (text.cut) std::fputs("\n  ... (decoded text cut off)", out);
  hexDumpBlock(out, rec.payload, rec.length);
  std::fputc('\n', out);
}
