// Binary adapter records: malformed and raw entries and B-channel data are
// printed here; every other entry goes, as a zero-padded copy, to the CAPI or
// the xlog decoder. Class-6 records carry their own time and processor and a
// text or an embedded adapter entry.
#include "trace/adapter_dispatch.h"

#include <cstring>

#include "decode/adapter/xlog.h"
#include "decode/adapter/xlog_text.h"
#include "decode/capi/capi.h"
#include "trace/hexdump.h"

namespace {

constexpr unsigned kBChannelShown = 28;  // B-channel bytes shown per entry
constexpr size_t kBChannelData = 4;

void printBChannelData(FILE* out, ByteView p, bool compact) {
  char dir = p.u8(0) == 1 ? 'X' : 'R';
  int channel = p.s8(1);
  int16_t frameLength = static_cast<int16_t>(p.le16(2));
  // The frame length is compared unsigned, so a negative one never lowers k.
  uint32_t length = static_cast<uint32_t>(static_cast<int32_t>(frameLength));
  uint32_t k = static_cast<uint32_t>(p.size - kBChannelData);
  if (length < k) k = length;
  if (channel)
    std::fprintf(out, "B%d-%c(%03d) ", channel, dir, frameLength);
  else
    std::fprintf(out, "B-%c(%03d) ", dir, frameLength);
  if (k == 0) {
    std::fputs(" 0 bytes\n", out);
    return;
  }
  if (k > kBChannelShown) k = kBChannelShown;
  const uint8_t* data = p.at(kBChannelData);
  if (compact) {
    static const char digits[] = "0123456789ABCDEF";
    char text[3 * kBChannelShown];
    for (uint32_t i = 0; i < k; ++i) {
      text[3 * i] = digits[data[i] >> 4];
      text[3 * i + 1] = digits[data[i] & 15];
      text[3 * i + 2] = ' ';
    }
    std::fwrite(text, 1, 3 * k, out);
    if (length > k) std::fputs("cont", out);
  } else {
    std::fprintf(out, "%d bytes", static_cast<int>(k));
    hexDumpBlock(out, data, k);
  }
  std::fputc('\n', out);
}

// The entry copy. It is kept between entries so that only the bytes the
// previous entry wrote need zeroing again, not the whole copy each time.
uint8_t g_copy[kEntryCopySize];
size_t g_copyDirty = 0;  // bytes from the start that may be non-zero

void decodeEntryCopy(FILE* out, ByteView p) {
  // At least one zero byte follows every entry in the copy, so the decoders'
  // text fields are always terminated.
  size_t n = p.size < kEntryCopySize - 1 ? p.size : kEntryCopySize - 1;
  std::memcpy(g_copy, p.data, n);
  if (g_copyDirty > n) std::memset(g_copy + n, 0, g_copyDirty - n);
  g_copyDirty = n;
  uint8_t code = g_copy[0];
  if (code == 128 || code == 129)
    capiDecodeTrace(out, g_copy);
  else
    xlogDecodeEntry(out, g_copy);
}

}  // namespace

void adapterRecordDispatch(FILE* out, const DebugRecord& rec, bool compact) {
  ByteView p = rec.view();
  size_t n = p.size;
  uint8_t code = p.u8(0);
  if (n == 0) {
    std::fputs("- malformed empty xlog format\n", out);
  } else if (n == 1) {
    std::fprintf(out, "- malformed xlog format: 0x%02X\n", p.u8(0));
  } else if (n == 2) {
    std::fprintf(out, "- malformed xlog format: 0x%02X 0x%02X\n", p.u8(0), p.u8(1));
  } else if (n >= 4 && (code == 1 || code == 2)) {
    printBChannelData(out, p, compact);
  } else if (code != 0) {
    decodeEntryCopy(out, p);
  } else {
    std::fprintf(out, "%d bytes", static_cast<int>(n));
    hexDumpBlock(out, p.data, static_cast<unsigned>(n));
    std::fputc('\n', out);
  }
}

void class6RecordDispatch(FILE* out, const DebugRecord& rec) {
  ByteView p = rec.view();
  uint32_t ms = (static_cast<uint32_t>(p.le16(2)) << 16) | p.le16(4);
  unsigned processor = p.u8(1);
  // "%lu:%04ld:%03ld - " and, with a processor, "P(%d) ".
  FixedText<64> head;
  xlogAddDec(head, static_cast<int>(ms / 3600000), 1);
  head.addChar(':');
  xlogAddDec(head, static_cast<int>((ms / 1000) % 3600), 4);
  head.addChar(':');
  xlogAddDec(head, static_cast<int>(ms % 1000), 3);
  head.addText(" - ");
  if (processor) {
    head.addText("P(");
    xlogAddDec(head, static_cast<int>(processor), 1);
    head.addText(") ");
  }
  std::fputs(head.str(), out);
  ByteView body = p.sub(6);
  switch (p.u8(0)) {
    case 1:
      if (size_t len = body.strLen(0)) std::fwrite(body.data, 1, len, out);
      std::fputc('\n', out);
      break;
    case 2: {
      // The embedded entry is read in place: a record view over the bytes
      // after the class-6 head (none when the record is shorter than it).
      DebugRecord entry;
      entry.length = static_cast<uint16_t>(body.size);
      entry.payload = body.data;
      adapterRecordDispatch(out, entry, true);
      break;
    }
    default:
      std::fprintf(out, "unknown message type 0x%02x\n", p.u8(0));
  }
}
