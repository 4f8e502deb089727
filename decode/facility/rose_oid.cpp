// Operation values given as object identifiers: the "OI" line and the map of
// identifier prefixes to operation families.
#include <cstring>

#include "decode/facility/rose_internal.h"
#include "trace/textbuf.h"

namespace {

constexpr unsigned kMaxArcs = 21;
constexpr unsigned kMaxPrintedArcs = 20;
constexpr size_t kMaxLine = 79;

// One identifier prefix. The operation is the last arc unless fixedKey is set;
// rows without a key only name the family.
struct OidRow {
  uint8_t prefixLength;
  uint32_t prefix[7];
  uint8_t arcs;      // exact number of arcs, or the least number with orMore
  bool orMore;
  uint8_t profile;   // 0: any profile
  bool hasKey;
  uint16_t family;
  int32_t fixedKeyArcs;  // >0: key only for this exact identifier length...
  uint32_t fixedLast[2];  // ...ending with these two arcs
  const char* text91;
  const char* text9F;
  const char* text90;
};

#define ETSI_TEXT "Protocol Type ETSI Suppl. Services"
constexpr OidRow kRows[] = {
    {5, {0, 4, 0, 359, 1}, 6, false, 0x91, true, 0x0005, 0, {}, ETSI_TEXT, ETSI_TEXT, ETSI_TEXT},
    {5, {0, 4, 0, 369, 1}, 6, false, 0x91, true, 0x000B, 0, {}, ETSI_TEXT, ETSI_TEXT, ETSI_TEXT},
    {5, {0, 4, 0, 745, 1}, 6, false, 0x91, true, 0x0002, 0, {}, ETSI_TEXT, ETSI_TEXT, ETSI_TEXT},
    {5, {0, 4, 0, 1065, 1}, 6, false, 0x91, true, 0x000C, 0, {}, ETSI_TEXT, ETSI_TEXT, ETSI_TEXT},
    {4, {1, 3, 12, 9}, 5, false, 0x91, true, 0x0000, 0, {},
     "Protocol Type ECMA QSIG", "Protocol Type ECMA QSIG", "Protocol Type ECMA QSIG"},
    {7, {1, 3, 12, 2, 1107, 2, 1}, 8, false, 0, true, 0x0003, 0, {},
     "Protocol Type Siemens ECMA1", "Protocol Type ISO QSIG + CornetNQ", "Protocol Type CornetNQ"},
    {5, {1, 3, 12, 2, 1106}, 6, false, 0, true, 0x0004, 0, {},
     "Protocol Type ECMA + Alcatelextensions", "Protocol Type ISO QSIG + Alcatelextensions",
     "Protocol Type Alcatelextensions"},
    {5, {1, 3, 12, 2, 1015}, 6, true, 0, false, 0x000A, 7, {1, 4},
     "Protocol Type ECMA + NORTEL extensions", "Protocol Type ISO QSIG + NORTEL extensions",
     "Protocol Type NORTEL extensions"},
    {5, {1, 3, 12, 2, 1113}, 6, false, 0, true, 0x000E, 0, {},
     "Protocol Type ECMA + ERICSSON extensions", "Protocol Type ISO QSIG + ERICSSON extensions",
     "Protocol Type ERICSSON extensions"},
    {5, {1, 3, 12, 2, 1005}, 6, true, 0, false, 0, 0, {},
     "Protocol Type ECMA + TENOVIS extensions", "Protocol Type ISO QSIG + TENOVIS extensions",
     "Protocol Type TENOVIS extensions"},
    {5, {1, 3, 17, 102, 3}, 6, false, 0, true, 0x0009, 0, {}, "Protocol Type US TBCT Operations",
     "Protocol Type US TBCT Operations", "Protocol Type US TBCT Operations"},
    {5, {1, 2, 840, 10005, 0}, 6, false, 0, true, 0x0006, 0, {}, "Protocol Type US EECT Operations",
     "Protocol Type US EECT Operations", "Protocol Type US EECT Operations"},
    {5, {1, 2, 840, 10005, 1}, 6, false, 0, true, 0x0007, 0, {}, "Protocol Type US EECT Errors",
     "Protocol Type US EECT Errors", "Protocol Type US EECT Errors"},
    {5, {1, 2, 840, 10005, 2}, 6, false, 0, true, 0x0008, 0, {},
     "Protocol Type US EECT Notifications", "Protocol Type US EECT Notifications",
     "Protocol Type US EECT Notifications"},
};
#undef ETSI_TEXT

bool rowMatches(const OidRow& r, const uint32_t* arcs, unsigned n, uint8_t profile) {
  if (r.profile && r.profile != profile) return false;
  if (r.orMore ? n < r.arcs : n != r.arcs) return false;
  for (unsigned i = 0; i < r.prefixLength; ++i)
    if (arcs[i] != r.prefix[i]) return false;
  return true;
}

const char* rowText(const OidRow& r, uint8_t profile) {
  return profile == 0x9F ? r.text9F : profile == 0x91 ? r.text91 : r.text90;
}

}  // namespace

bool roseMapOid(FILE* out, ByteView content, unsigned depth, uint8_t profile, uint32_t& key) {
  uint32_t arcs[kMaxArcs] = {};
  unsigned n = 0;
  BerOidReader r{content};
  uint32_t arc;
  while (n < kMaxArcs && r.next(arc)) arcs[n++] = arc;

  const BerIndentText ind = berIndent(depth);
  FixedText<256> line;
  line.add("%sOI (%d)(%d)", ind.s, static_cast<int32_t>(arcs[0]), static_cast<int32_t>(arcs[1]));
  for (unsigned i = 2; i < n && i < kMaxPrintedArcs; ++i) {
    char cell[16];
    std::snprintf(cell, sizeof cell, "(%d)", static_cast<int32_t>(arcs[i]));
    if (line.len - 1 + std::strlen(cell) > kMaxLine) break;  // the newline is no column
    line.addText(cell);
  }
  std::fputs(line.str(), out);

  if (n >= kMaxPrintedArcs || n < 2 || arcs[n - 1] > 0xFFFF) {
    std::fprintf(out, "%sOI unknown", ind.s);
    return false;
  }
  for (const OidRow& row : kRows) {
    if (!rowMatches(row, arcs, n, profile)) continue;
    std::fprintf(out, "%s%s", ind.s, rowText(row, profile));
    if (row.hasKey) {
      key = roseKey(row.family, arcs[n - 1]);
      return true;
    }
    if (row.fixedKeyArcs > 0 && n == static_cast<unsigned>(row.fixedKeyArcs) &&
        arcs[n - 2] == row.fixedLast[0] && arcs[n - 1] == row.fixedLast[1]) {
      key = roseKey(row.family, arcs[n - 1]);
      return true;
    }
    return false;
  }
  std::fprintf(out, "%sOI unknown", ind.s);
  return false;
}
