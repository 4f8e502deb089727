// Signalling message line and the layer-3 decode with its element walk.
#include "decode/adapter/q931.h"
#include "decode/adapter/q931_internal.h"

void q931PrintHexRun(FILE* out, ByteView bytes, bool upper) {
  // Composed in blocks: byte lists are most of the signalling output.
  const char* digits = upper ? "0123456789ABCDEF" : "0123456789abcdef";
  char block[3 * 128];
  for (size_t at = 0; at < bytes.size;) {
    size_t n = 0;
    for (; n < 128 && at < bytes.size; ++n, ++at) {
      const uint8_t b = bytes.u8(at);
      block[3 * n] = ' ';
      block[3 * n + 1] = digits[b >> 4];
      block[3 * n + 2] = digits[b & 15];
    }
    std::fwrite(block, 1, 3 * n, out);
  }
}

ByteView q931CollectedBytes(const XlogCollection& c) {
  size_t n = c.length < kXlogCollectCapacity ? c.length : kXlogCollectCapacity;
  return ByteView(c.bytes, n);
}

void q931DecodeSigMessage(FILE* out, const XlogCollection& c) {
  const ByteView data = q931CollectedBytes(c);
  const int n = static_cast<int>(c.length) - 4;
  const uint16_t kind = data.le16(0);
  bool decode = true;
  switch (kind) {
    case 0x00: std::fprintf(out, "SIG-x(%03i)", n); break;
    case 0x10:
    case 0x13: std::fprintf(out, "SIG-R(%03i)", n); break;
    case 0x20: std::fprintf(out, "SIG-X(%03i)", n); break;
    default:
      std::fprintf(out, "SIG-EVENT %04X", kind);
      decode = false;
      break;
  }
  if (data.size > 4) {
    q931PrintHexRun(out, data.sub(4), true);
    std::fputc('\n', out);
  }
  if (decode) q931DecodeMessage(out, c);
}

void q931DecodeMessage(FILE* out, const XlogCollection& c) {
  // Without bytes past the kind and the two spare bytes there is no message.
  const ByteView m = q931CollectedBytes(c).sub(4);
  if (m.empty()) return;
  std::fprintf(out, "%21s", "");
  const uint8_t pd = m.u8(0);
  const unsigned crLength = m.u8(1);
  const uint8_t first = m.u8(2);
  unsigned cr = 0;
  if (crLength == 1) cr = first & 0x7Fu;
  if (crLength == 2) cr = ((first & 0x7Fu) << 8) | m.u8(3);
  if (crLength != 0 && (first & 0x80)) cr += 0x8000;
  const char* label = q931ProtocolLabel(pd);
  if (crLength == 1) {
    if (label) std::fprintf(out, "%sCR%02x ", label, first);
    else std::fprintf(out, "PD(%02xCR%02x)  ", pd, first);
  } else {
    if (label) std::fprintf(out, "%sCR%04x ", label, cr);
    else std::fprintf(out, "PD(%02xCR%04x)  ", pd, cr);
  }
  const uint8_t type = m.u8(2 + crLength);
  if (const char* name = q931MessageTypeName(type)) std::fputs(name, out);
  else std::fprintf(out, "MT%02x", type);

  unsigned locked = 0, codeset = 0;
  bool shifted = false;
  for (size_t pos = 3 + crLength; pos < m.size;) {
    std::fprintf(out, "\n%28s", "");
    const uint8_t b = m.u8(pos);
    const bool single = (b & 0x80) != 0;
    const size_t length = single ? 1 : m.u8(pos + 1) + 2u;
    const unsigned id = single ? (b & 0xF1u) : b;
    if (shifted) shifted = false;
    else codeset = locked;
    if (single && (id & 0xF0) == 0x90) {
      // Non-locking shifts apply to the next element only.
      codeset = b & 7u;
      if (b & 0x08) {
        std::fprintf(out, "SHIFT %02x", codeset);
      } else {
        std::fprintf(out, "SHIFT LOCK %02x", codeset);
        locked = codeset;
      }
      shifted = true;
    } else {
      const unsigned key = codeset * 256 + id;
      if (const char* name = q931ElementName(key)) std::fputs(name, out);
      else std::fprintf(out, "%01x/%02x ", codeset, id);
      if (pos + length > m.size) {
        std::fputs("IE length error", out);
        break;
      }
      if (!single) q931DecodeIe(out, pd, key, m.sub(pos + 1, length - 1));
    }
    pos += length;
  }
}
