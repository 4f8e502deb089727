#include <cstring>

#include "decode/facility/ber_reader.h"
#include "trace/textbuf.h"

namespace {

constexpr const char* kUniversalNames[32] = {
    "unknown", "Boolean", "Integer", "BitString", "OctetString", "Null", "ObjectIdentifier",
    "ObjectDescriptor", "External", "Real", "Enumerated", "reserved", "reserved", "reserved",
    "reserved", "reserved", "Sequence", "Set", "CharStringNumeric", "CharStringPrintable",
    "CharStringT61", "CharStringVideotex", "CharStringIA5", "TimeUTC", "TimeGeneralized",
    "CharStringGraphic", "CharStringISO646", "CharStringGeneral", "CharStringUniversalType",
    "CharStringBMPType", "reserved", "reserved"};

constexpr const char* kClassNames[4] = {nullptr, "Application", "Context specific", "Private"};

const char* typeName(uint8_t tag) {
  unsigned cls = tag >> 6;
  return cls == 0 ? kUniversalNames[tag & 0x1F] : kClassNames[cls];
}

}  // namespace

void berDumpElements(FILE* out, const BerTable& t, unsigned from) {
  if (!berPresent(t, from)) return;
  const unsigned startDepth = t.entries[from].depth;
  for (unsigned i = from; berPresent(t, i) && t.entries[i].depth >= startDepth; ++i) {
    const BerElement& e = t.entries[i];
    const uint8_t tag = berTag(t, i);
    std::fprintf(out, "%s%2.2x %s(%.3d):", berIndent(e.depth).s, tag, typeName(tag),
                 static_cast<int>(static_cast<int32_t>(e.contentLength)));
    const ByteView content = berContent(t, i);
    if ((tag & 0xDF) == 6 && e.contentLength != 0) {
      std::fputs(berIndent(e.depth + 1u).s, out);
      BerOidReader r{content};
      uint32_t arc;
      while (r.next(arc)) std::fprintf(out, "(%d)", static_cast<int>(static_cast<int32_t>(arc)));
    }
    const bool leaf = !(tag & 0x20) || !berPresent(t, i + 1) || t.entries[i + 1].parent != i;
    if (leaf) berHexDump(out, content, content.size, nullptr, berIndent(e.depth + 1u).s, 0);
  }
}

void berHexDump(FILE* out, ByteView bytes, size_t n, const char* label, const char* lineStart,
                unsigned firstOffset) {
  static constexpr char kDigits[] = "0123456789abcdef";
  if (n > bytes.size) n = bytes.size;
  unsigned offset = firstOffset;
  for (size_t at = 0; at < n; at += 16, offset += 16) {
    char cells[16 * 3 + 1];
    char chars[17];
    size_t c = 0;
    for (size_t j = 0; j < 16; ++j) {
      if (at + j < n) {
        uint8_t b = bytes.u8(at + j);
        cells[j * 3] = ' ';
        cells[j * 3 + 1] = kDigits[b >> 4];
        cells[j * 3 + 2] = kDigits[b & 15];
        chars[c++] = (b < 0x30 || b >= 0x80) ? '.' : static_cast<char>(b);
      } else {
        std::memset(cells + j * 3, ' ', 3);
      }
    }
    cells[48] = 0;
    chars[c] = 0;
    FixedText<512> line;
    if (lineStart && label)
      line.add("%s%s[%04x]%s %s", lineStart, label, offset, cells, chars);
    else if (lineStart || label)
      line.add("%s[%04x]%s %s", lineStart ? lineStart : label, offset, cells, chars);
    else
      line.add("[%04x]%s %s", offset, cells, chars);
    std::fprintf(out, "%s", line.str());
  }
}
