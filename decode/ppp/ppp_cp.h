// The control-protocol walker shared by every PPP control decoder.
//
// A control packet is code, identifier, 16-bit length and data. Each protocol
// is described by a CpProtocol: its label and a table of codes; each code row
// names the packet and says what follows the header line (an option walk over
// a table of option decoders, a decoder of its own, a nested packet of the
// same protocol). cpDecodePacket does the header check, the code lookup and
// the header line once for all of them.
#pragma once

#include <cstddef>
#include <cstdint>

#include "trace/byteview.h"
#include "trace/textbuf.h"

struct CpHeader {
  uint8_t code = 0;
  uint8_t id = 0;
  uint16_t length = 0;  // the packet's length field, header included
};

// The line prefixes of options and their sub-lines.
constexpr const char* kCpOptLine = "\n        - ";
constexpr const char* kCpSubLine = "\n          -- ";

// Decodes one option: opt holds exactly the option's bytes (type, length,
// value), so a value byte the option does not carry reads as zero. name is
// the row's name (nullptr for a table's fallback decoder).
using CpOptionFn = void (*)(ByteView opt, const char* name, const CpHeader& hdr, TextBuf& text);

struct CpOption {
  uint8_t type;
  CpOptionFn decode;
  const char* name;
  // Shortest option that carries the value decode reads; a shorter one
  // prints "<indent><name> illegal, len N" instead.
  uint8_t minLen = 0;
};

struct CpOptionTable {
  const CpOption* rows;
  size_t count;
  CpOptionFn fallback;  // for types not in rows; nullptr prints nothing
  // The walk goes on while at least this many bytes remain (2 or 4).
  uint8_t minRemaining = 2;
  const char* indent = kCpOptLine;  // prefix of the short-option line
};

template <size_t N>
constexpr CpOptionTable cpOptions(const CpOption (&rows)[N], CpOptionFn fallback,
                                  uint8_t minRemaining = 2, const char* indent = kCpOptLine) {
  return CpOptionTable{rows, N, fallback, minRemaining, indent};
}

struct CpCode;
// Decoder of a code's own fields; pkt holds exactly the packet (length field
// bytes).
using CpPacketFn = void (*)(ByteView pkt, const CpHeader& hdr, const CpCode& row, TextBuf& text);

enum CpCodeFlags : uint8_t {
  kCpShifted = 1,    // header line with the label one column to the left
  kCpNest = 2,       // the data are a packet of the same protocol (Code-Reject)
  kCpOwnHeader = 4,  // `after` writes the header line itself
};

struct CpCode {
  uint8_t code;
  const char* name;
  uint8_t flags = 0;
  const CpOptionTable* options = nullptr;  // walk over the data (bytes 4 on)
  CpPacketFn after = nullptr;
};

enum CpProtocolFlags : uint8_t {
  kCpAllowLonger = 1,  // the packet may end before the bytes given do
  kCpLenIsData = 2,    // header lines show the data size, not the length field
};

struct CpProtocol {
  const char* label;  // four characters
  const CpCode* codes;
  size_t count;
  uint8_t flags = 0;
};

template <size_t N>
constexpr CpProtocol cpProtocol(const char* label, const CpCode (&codes)[N], uint8_t flags = 0) {
  return CpProtocol{label, codes, N, flags};
}

// The codes of a network control protocol: the four configure codes with
// the option walk, the two terminate codes and Code-Reject.
struct CpNcpCodes {
  CpCode rows[7];
};

constexpr CpNcpCodes cpNcpCodes(const CpOptionTable* options) {
  return {{
      {1, "Configure-Request", 0, options},
      {2, "Configure-Ack", 0, options},
      {3, "Configure-Nak", 0, options},
      {4, "Configure-Reject", 0, options},
      {5, "Terminate-Request"},
      {6, "Terminate-Ack"},
      {7, "Code-Reject", kCpShifted | kCpNest},
  }};
}

constexpr CpProtocol cpProtocol(const char* label, const CpNcpCodes& codes, uint8_t flags = 0) {
  return CpProtocol{label, codes.rows, 7, flags};
}

// Header check, code lookup, header line and what the code row asks for.
void cpDecodePacket(ByteView bytes, const CpProtocol& proto, TextBuf& text);

// "\n  <label>: id %2d, len %2d ==> <name>" (shifted: "\n <label> : ...").
void cpAppendHeader(TextBuf& text, const char* label, bool shifted, int id, int len,
                    const char* name);

// Walks the options in data over the table.
void cpWalkOptions(ByteView data, const CpOptionTable& table, const CpHeader& hdr, TextBuf& text);

// Option decoder that prints "\n        - <name>" only.
void cpOptionName(ByteView opt, const char* name, const CpHeader& hdr, TextBuf& text);

// " 0x%02X" for each byte of v.
void cpAppendHexValues(TextBuf& text, ByteView v);

// First row whose code member equals code, or nullptr.
template <typename Row, size_t N>
const Row* cpFindRow(const Row (&rows)[N], unsigned code) {
  for (const Row& r : rows)
    if (r.code == code) return &r;
  return nullptr;
}
