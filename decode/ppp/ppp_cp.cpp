#include "decode/ppp/ppp_cp.h"

void cpAppendHeader(TextBuf& text, const char* label, bool shifted, int id, int len,
                    const char* name) {
  text.add(shifted ? "\n %s : id %2d, len %2d ==> %s" : "\n  %s: id %2d, len %2d ==> %s", label,
           id, len, name);
}

void cpOptionName(ByteView, const char* name, const CpHeader&, TextBuf& text) {
  text.add("%s%s", kCpOptLine, name);
}

void cpAppendHexValues(TextBuf& text, ByteView v) {
  for (size_t i = 0; i < v.size; ++i) text.add(" 0x%02X", v.u8(i));
}

static const CpOption* findOption(const CpOptionTable& table, uint8_t type) {
  for (size_t i = 0; i < table.count; ++i)
    if (table.rows[i].type == type) return &table.rows[i];
  return nullptr;
}

void cpWalkOptions(ByteView data, const CpOptionTable& table, const CpHeader& hdr, TextBuf& text) {
  size_t minRemaining = table.minRemaining < 2 ? 2 : table.minRemaining;
  size_t off = 0;
  // A full frame text takes nothing more, so stop walking once it is cut.
  while (data.size - off >= minRemaining && !text.cut) {
    size_t len = data.u8(off + 1);
    if (len < 2 || len > data.size - off) return;
    ByteView opt = data.sub(off, len);
    const CpOption* row = findOption(table, data.u8(off));
    if (row && len < row->minLen)
      text.add("%s%s illegal, len %d", table.indent, row->name, static_cast<int>(len));
    else if (row)
      row->decode(opt, row->name, hdr, text);
    else if (table.fallback)
      table.fallback(opt, nullptr, hdr, text);
    off += len;
  }
}

void cpDecodePacket(ByteView bytes, const CpProtocol& proto, TextBuf& text) {
  // A nested Code-Reject carries the rejected packet as its data; it is
  // decoded in this loop rather than by recursion.
  while (bytes.size >= 4 && !text.cut) {
    CpHeader hdr{bytes.u8(0), bytes.u8(1), bytes.be16(2)};
    if (hdr.length < 4) return;
    if ((proto.flags & kCpAllowLonger) ? bytes.size < hdr.length : bytes.size != hdr.length) return;
    const CpCode* row = nullptr;
    for (size_t i = 0; i < proto.count && !row; ++i)
      if (proto.codes[i].code == hdr.code) row = &proto.codes[i];
    if (!row) return;
    ByteView pkt = bytes.sub(0, hdr.length);
    if (!(row->flags & kCpOwnHeader)) {
      int shownLen = (proto.flags & kCpLenIsData) ? hdr.length - 4 : hdr.length;
      cpAppendHeader(text, proto.label, row->flags & kCpShifted, hdr.id, shownLen, row->name);
    }
    if (row->after) row->after(pkt, hdr, *row, text);
    if (row->options) cpWalkOptions(pkt.sub(4), *row->options, hdr, text);
    if (!(row->flags & kCpNest)) return;
    bytes = pkt.sub(4);
  }
}
