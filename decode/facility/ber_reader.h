// BER element reader: one pass over a value range into a flat element table,
// walked afterwards with two cursor moves (first child, next sibling).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "trace/byteview.h"

constexpr unsigned kBerCapacity = 100;   // elements per table
constexpr unsigned kBerDepthLimit = 10;  // deeper elements are dropped after a read
constexpr uint8_t kBerNoParent = 0xFF;

// Results of berReadElements.
constexpr uint8_t kBerReadOk = 0;
constexpr uint8_t kBerReadFull = 1;    // table full and no usable cut point
constexpr uint8_t kBerReadSyntax = 2;  // cut before the fault; the table is usable
constexpr uint8_t kBerReadFailed = 0xFF;

struct BerElement {
  uint8_t index;
  uint8_t parent;  // kBerNoParent for a top-level element
  uint8_t depth;
  bool present;    // an absent entry ends the table
  uint32_t start;  // offset of the tag byte in the table's data
  uint8_t headerLength;
  uint32_t contentLength;
  uint8_t openMarker;  // non-zero while an indefinite element is open
};

// The entries refer into `data`, which must outlive the walk.
struct BerTable {
  ByteView data;
  BerElement entries[kBerCapacity + 1];
};

struct BerCursor {
  const BerTable* table;
  uint8_t index;
};

uint8_t berReadElements(BerTable& table, ByteView data, unsigned capacity, unsigned depthLimit);

// 0 and moved when the next entry is a child; 1 when the cursor is on the
// last entry; 0xFF otherwise (cursor unchanged).
uint8_t berFirstChild(BerCursor& c);
// 0 and moved to the next entry with the same parent; 0xFF when there is none
// (the cursor is then left on the last entry of the table).
uint8_t berNextSibling(BerCursor& c);

// Signed value of n big-endian bytes; 0 for n > 4 or n == 0.
int32_t berIntValue(ByteView bytes, uint32_t n);

// Accessors of one entry (index below the table's end).
inline const BerElement& berEntry(const BerTable& t, unsigned i) { return t.entries[i]; }
inline bool berPresent(const BerTable& t, unsigned i) { return i < kBerCapacity && t.entries[i].present; }
inline uint8_t berTag(const BerTable& t, unsigned i) { return t.data.u8(t.entries[i].start); }
// Content bytes, cut at the end of the data.
inline ByteView berContent(const BerTable& t, unsigned i) {
  const BerElement& e = t.entries[i];
  return t.data.sub(e.start + e.headerLength, e.contentLength);
}
// Header and content, cut at the end of the data.
inline ByteView berWhole(const BerTable& t, unsigned i) {
  const BerElement& e = t.entries[i];
  return t.data.sub(e.start, static_cast<size_t>(e.headerLength) + e.contentLength);
}
unsigned berCount(const BerTable& t);

inline const BerElement& berAt(const BerCursor& c) { return c.table->entries[c.index]; }
inline uint8_t berTagAt(const BerCursor& c) { return berTag(*c.table, c.index); }
inline ByteView berContentAt(const BerCursor& c) { return berContent(*c.table, c.index); }

// Line start of all facility output: a newline, 29 blanks and one per level.
constexpr unsigned kBerIndentMaxLevel = 120;
struct BerIndentText {
  char s[1 + 29 + kBerIndentMaxLevel + 1];
};
BerIndentText berIndent(unsigned level);

// Object identifier arcs in order; the first sub-identifier yields two arcs.
struct BerOidReader {
  ByteView content;
  size_t pos = 0;
  unsigned produced = 0;
  uint32_t second = 0;
  // False when no arc is left.
  bool next(uint32_t& arc);
};

// Generic dump from entry `from`: it, its descendants, the siblings after it
// and theirs.
void berDumpElements(FILE* out, const BerTable& t, unsigned from);
// Hex-and-character dump of n bytes (bytes past the view are not shown);
// label and lineStart may be nullptr.
void berHexDump(FILE* out, ByteView bytes, size_t n, const char* label, const char* lineStart,
                unsigned firstOffset);
