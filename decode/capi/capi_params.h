// CAPI parameter reader, value tables and the small value printers that every
// CAPI message and structure printer shares.
//
// Messages and structures are described by parameter formats, one letter per
// field: "b" byte, "w" 16-bit word, "d" 32-bit dword (little-endian), "s" a
// structure with a length prefix (one byte, or 0xFF and a 16-bit length), "r"
// all remaining bytes. capiParseParams checks bytes against a format and splits
// them into fields; callers print their own "wrong format" line on failure.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "trace/byteview.h"
#include "trace/nametable.h"

// One field of a parameter list. The view lies wholly inside the checked
// bytes; for a structure it is the content behind the length prefix.
struct CapiParam {
  ByteView bytes;
  int32_t length = 0;  // bytes taken (a structure's content length)
  bool end = true;     // the end entry behind the last field

  uint8_t byte() const { return bytes.u8(0); }
  uint16_t word() const { return bytes.le16(0); }
  uint32_t dword() const { return bytes.le32(0); }
};

// Room for the longest format of any CAPI message or structure plus the end
// entry.
constexpr size_t kCapiMaxParams = 16;

// Checks bytes against format and fills list (capacity entries, one more than
// the letters needed). True when every letter found its bytes; bytes left
// behind the last field are ignored. An empty format succeeds with only the
// end entry. Prints nothing.
bool capiParseParams(ByteView bytes, const char* format, CapiParam* list, size_t capacity);

template <size_t N>
bool capiParseParams(ByteView bytes, const char* format, CapiParam (&list)[N]) {
  return capiParseParams(bytes, format, list, N);
}

// A value table: rows of (key, text) searched in order, and the text a lookup
// yields when no row matches. 16-bit tables compare keys as 16-bit values and
// give the default for 0xFFFF; 32-bit tables (wide) serve the flag printer.
struct CapiValueTable {
  const NameEntry* rows;
  size_t count;
  const char* defaultText;
  bool wide;
};

template <size_t N>
constexpr CapiValueTable capiTable16(const NameEntry (&rows)[N], const char* defaultText) {
  return {rows, N, defaultText, false};
}
template <size_t N>
constexpr CapiValueTable capiTable32(const NameEntry (&rows)[N], const char* defaultText) {
  return {rows, N, defaultText, true};
}

// Text of the first row whose key equals value, else the default text.
const char* capiTextOf(const CapiValueTable& table, uint32_t value);

// "(name, name, ...)" of the rows whose key shares a bit with value; the
// default text when none does; nothing at all for 0.
void capiPrintFlags16(const CapiValueTable& table, uint16_t value, FILE* out);
void capiPrintFlags32(const CapiValueTable& table, uint32_t value, FILE* out);

// A party number or subaddress: the first octet, extraOctets (0..2) more
// octets in hex, then the rest quoted as characters. A content shorter than
// its leading octets shows the octets it has and an empty quoted part.
void capiPrintNumber(ByteView content, FILE* out, int extraOctets);
// Each byte as "%02X ".
void capiPrintHex(ByteView bytes, FILE* out);
// Each byte as "%c ".
void capiPrintChars(ByteView bytes, FILE* out);

// How a structure line shows its content.
enum class CapiShow { number0, number1, number2, hex, chars };

// A structure line: label, " (0x%lx): " with the content length, then the
// content (only when it is not empty). label may begin with "\n".
void capiPrintStructLine(FILE* out, const char* label, ByteView content, CapiShow show);

// Value tables of the message printers.
extern const CapiValueTable kCapiCipValues;       // CIP value (CONNECT)
extern const CapiValueTable kCapiCipMask;         // CIP mask (LISTEN, power wakeup)
extern const CapiValueTable kCapiCipMask2;        // CIP mask 2 (no rows)
extern const CapiValueTable kCapiInfoMask;        // LISTEN info mask
extern const CapiValueTable kCapiDataB3ReqFlags;  // DATA_B3_REQ flags
extern const CapiValueTable kCapiDataB3IndFlags;  // DATA_B3_IND flags
extern const CapiValueTable kCapiPortability;     // portability selector
extern const CapiValueTable kCapiInfoElements;    // INFO_IND Q.931 element ids
extern const CapiValueTable kCapiNetworkEvents;   // INFO_IND Q.931 message types
