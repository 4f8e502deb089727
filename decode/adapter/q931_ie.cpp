// Contents of one information element: causes, numbers, keypad and date
// texts, facilities, and a plain byte list for everything else.
#include "control/settings.h"
#include "decode/adapter/q931.h"
#include "decode/adapter/q931_internal.h"
#include "decode/facility/rose.h"

namespace {

void printBytes(FILE* out, ByteView bytes) { q931PrintHexRun(out, bytes, false); }

void printQuoted(FILE* out, ByteView bytes) {
  std::fputs(" '", out);
  if (!bytes.empty()) std::fwrite(bytes.data, 1, bytes.size, out);
  std::fputc('\'', out);
}

// Index of the first byte with bit 8 set, or size when there is none.
size_t firstEndOctet(ByteView bytes) {
  size_t i = 0;
  while (i < bytes.size && !(bytes.u8(i) & 0x80)) ++i;
  return i;
}

void printCause(FILE* out, uint8_t pd, ByteView content) {
  printBytes(out, content);
  if (pd == 0x08) {
    // The cause value follows the octet that ends the location group; when
    // no such octet (or no byte after it) exists there is no value to name.
    size_t at = firstEndOctet(content) + 1;
    if (at < content.size) std::fprintf(out, " '%s'", q931CauseText(content.u8(at) & 0x7Fu));
  } else if (pd == 0x41) {
    std::fprintf(out, " '%s'", q931Cause1tr6Text(content.u8(0) & 0x7Fu));
  }
}

void printAddress(FILE* out, ByteView content) {
  size_t end = firstEndOctet(content);
  if (end == content.size) {
    // No octet ends the type group: all bytes are shown, no digits.
    printBytes(out, content);
    return;
  }
  printBytes(out, content.sub(0, end + 1));
  printQuoted(out, content.sub(end + 1));
}

}  // namespace

void q931DecodeIe(FILE* out, uint8_t pd, unsigned key, ByteView element) {
  const ByteView content = element.sub(1, element.u8(0));
  switch (key) {
    case 0x008:
      printCause(out, pd, content);
      break;
    case 0x00C:
    case 0x06C:
    case 0x06D:
    case 0x070:
    case 0x071:
      printAddress(out, content);
      break;
    case 0x02C:
    case 0x603:
      printQuoted(out, content);
      break;
    case 0x01C:
      printBytes(out, content);
      if (g_settings.facilityDecoding) roseDecodeFacility(out, element);
      break;
    default:
      printBytes(out, content);
      break;
  }
}
