#include "decode/facility/ber_reader.h"

#include <cstring>

namespace {

struct ReadState {
  BerTable& t;
  unsigned count = 0;
};

// Ends the table just before the last top-level entry at or below i (entry 0
// is never a cut point).
uint8_t cutAt(ReadState& s, unsigned i) {
  for (unsigned k = i; k >= 1; --k) {
    if (s.t.entries[k].present && s.t.entries[k].parent == kBerNoParent) {
      for (unsigned j = k; j < s.count; ++j) s.t.entries[j] = BerElement{};
      s.count = k;
      return kBerReadSyntax;
    }
  }
  return kBerReadFailed;
}

// Drops the entries deeper than the limit and renumbers the rest.
void dropDeepEntries(ReadState& s, unsigned depthLimit) {
  uint8_t newIndex[kBerCapacity + 1];
  unsigned kept = 0;
  for (unsigned i = 0; i < s.count; ++i) {
    BerElement e = s.t.entries[i];
    if (e.depth > depthLimit) continue;
    newIndex[i] = static_cast<uint8_t>(kept);
    e.index = static_cast<uint8_t>(kept);
    if (e.parent != kBerNoParent) e.parent = newIndex[e.parent];
    s.t.entries[kept++] = e;
  }
  for (unsigned i = kept; i < s.count; ++i) s.t.entries[i] = BerElement{};
  s.count = kept;
}

uint8_t readInto(BerTable& table, ByteView data, unsigned capacity, unsigned depthLimit) {
  ReadState s{table};
  BerElement* en = table.entries;
  const size_t end = data.size;
  size_t p = 0;
  uint8_t depth = 0;
  uint8_t parent = kBerNoParent;
  int justClosed = -1;
  uint8_t openCount = 0;

  while (p < end) {
    const uint8_t tag = data.u8(p);
    const uint8_t lb = data.u8(p + 1);
    uint8_t hdr = 2;
    uint32_t clen = 0;
    bool indefinite = false;
    bool invalid = false;
    if (lb < 0x80) {
      clen = lb;
    } else if (lb == 0x80) {
      indefinite = true;
    } else if (lb <= 0x84) {
      unsigned k = lb - 0x80u;
      hdr = static_cast<uint8_t>(2 + k);
      for (unsigned j = 0; j < k; ++j) clen = (clen << 8) | data.u8(p + 2 + j);
    } else {
      invalid = true;
    }

    if (s.count >= capacity) {
      if (parent == kBerNoParent) return kBerReadSyntax;
      return capacity >= 1 && cutAt(s, capacity - 1) == kBerReadSyntax ? kBerReadSyntax
                                                                       : kBerReadFull;
    }
    const unsigned i = s.count++;
    BerElement& e = en[i];
    e.present = true;
    e.index = static_cast<uint8_t>(i);
    e.parent = parent;
    e.depth = depth;
    e.start = static_cast<uint32_t>(p);
    e.headerLength = hdr;
    if (invalid) return cutAt(s, i);

    const bool constructed = (tag & 0x20) != 0;
    size_t advance;
    if (indefinite && constructed) {
      e.openMarker = ++openCount;
      p += hdr;
      ++depth;
      parent = static_cast<uint8_t>(i);
      continue;
    }
    if (indefinite) {
      // Not valid BER: the content runs up to the next two zero bytes, which
      // are taken as this element's end-of-contents.
      size_t q = p + hdr;
      while (q + 1 < end && !(data.u8(q) == 0 && data.u8(q + 1) == 0)) ++q;
      if (q + 1 >= end) return cutAt(s, i);
      e.contentLength = static_cast<uint32_t>(q - (p + hdr));
      advance = hdr + e.contentLength + 2u;
    } else {
      e.contentLength = clen;
      if (constructed && clen > 1) {
        p += hdr;
        ++depth;
        parent = static_cast<uint8_t>(i);
        continue;
      }
      advance = static_cast<size_t>(hdr) + clen;
    }

    // Close upward from the element just read.
    unsigned cur = i;
    for (;;) {
      const BerElement& c = en[cur];
      if (static_cast<int>(cur) != justClosed) p += advance;
      if (p == end) goto success;
      if (p > end) return cutAt(s, cur);
      if (c.parent == kBerNoParent) {
        parent = kBerNoParent;
        depth = 0;
        break;
      }
      BerElement& f = en[c.parent];
      bool closeParent = false;
      if (f.openMarker != 0) {
        if (end - p < 2) return cutAt(s, cur);
        if (data.u8(p) == 0 && data.u8(p + 1) == 0) {
          f.contentLength = static_cast<uint32_t>(p - (f.start + f.headerLength));
          f.openMarker = 0;
          --openCount;
          p += 2;
          closeParent = true;
        }
      } else {
        closeParent = p == static_cast<size_t>(f.start) + f.headerLength + f.contentLength;
      }
      if (!closeParent) break;
      if (depth) --depth;
      parent = f.parent;
      justClosed = f.index;
      cur = f.index;
      if (!(p < end)) break;
    }
  }
  if (p != end) return kBerReadFailed;
success:
  dropDeepEntries(s, depthLimit);
  return kBerReadOk;
}

}  // namespace

uint8_t berReadElements(BerTable& table, ByteView data, unsigned capacity, unsigned depthLimit) {
  std::memset(table.entries, 0, sizeof table.entries);
  table.data = data;
  if (capacity > kBerCapacity) capacity = kBerCapacity;
  const uint8_t r = readInto(table, data, capacity, depthLimit);
  // Nothing of a failed read is usable; an empty table says so to any walker.
  if (r == kBerReadFull || r == kBerReadFailed) std::memset(table.entries, 0, sizeof table.entries);
  return r;
}

unsigned berCount(const BerTable& t) {
  unsigned n = 0;
  while (n < kBerCapacity && t.entries[n].present) ++n;
  return n;
}

uint8_t berFirstChild(BerCursor& c) {
  const BerTable& t = *c.table;
  unsigned next = c.index + 1u;
  if (!berPresent(t, next)) return 1;
  if (t.entries[next].depth != t.entries[c.index].depth + 1) return 0xFF;
  c.index = static_cast<uint8_t>(next);
  return 0;
}

uint8_t berNextSibling(BerCursor& c) {
  const BerTable& t = *c.table;
  const uint8_t parent = t.entries[c.index].parent;
  unsigned j = c.index + 1u;
  for (; berPresent(t, j); ++j) {
    if (t.entries[j].parent == parent) {
      c.index = static_cast<uint8_t>(j);
      return 0;
    }
  }
  c.index = static_cast<uint8_t>(j - 1);
  return 0xFF;
}

int32_t berIntValue(ByteView bytes, uint32_t n) {
  if (n == 0 || n > 4) return 0;
  uint32_t v = (bytes.u8(0) & 0x80) ? 0xFFFFFFFFu : 0;
  for (uint32_t i = 0; i < n; ++i) v = (v << 8) | bytes.u8(i);
  return static_cast<int32_t>(v);
}

BerIndentText berIndent(unsigned level) {
  BerIndentText t;
  if (level > kBerIndentMaxLevel) level = kBerIndentMaxLevel;
  t.s[0] = '\n';
  std::memset(t.s + 1, ' ', 29 + level);
  t.s[1 + 29 + level] = 0;
  return t;
}

bool BerOidReader::next(uint32_t& arc) {
  if (produced == 1) {
    produced = 2;
    arc = second;
    return true;
  }
  if (pos >= content.size) return false;
  uint32_t v = 0;
  uint8_t b;
  do {
    b = content.u8(pos++);
    v = (v << 7) | (b & 0x7Fu);
  } while ((b & 0x80) && pos < content.size);
  if (produced == 0) {
    // The first sub-identifier holds two arcs; arc 2 takes every value from 80.
    produced = 1;
    if (v < 80) {
      arc = v / 40;
      second = v % 40;
    } else {
      arc = 2;
      second = v - 80;
    }
    return true;
  }
  ++produced;
  arc = v;
  return true;
}
