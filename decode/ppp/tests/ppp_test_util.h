// Builders for PPP frames in unit tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "decode/ppp/ppp_decode.h"

using Bytes = std::vector<uint8_t>;

// Protocol field, then a control packet with code, identifier, a length field
// that covers the packet, and data.
inline Bytes pppPacket(uint16_t proto, uint8_t code, uint8_t id, const Bytes& data) {
  size_t len = data.size() + 4;
  Bytes b = {static_cast<uint8_t>(proto >> 8), static_cast<uint8_t>(proto), code, id,
             static_cast<uint8_t>(len >> 8), static_cast<uint8_t>(len)};
  b.insert(b.end(), data.begin(), data.end());
  return b;
}

// A control packet without protocol field.
inline Bytes cpPacket(uint8_t code, uint8_t id, const Bytes& data) {
  Bytes b = pppPacket(0, code, id, data);
  return Bytes(b.begin() + 2, b.end());
}

inline Bytes operator+(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

inline Bytes asBytes(const std::string& s) { return Bytes(s.begin(), s.end()); }

// The frame text that a payload decodes to.
inline std::string pppFrameText(const Bytes& payload) {
  FixedText<kPppFrameText> text;
  pppDecodeFrame(ByteView(payload.data(), payload.size()), text);
  return text.str();
}

struct FrameCase {
  const char* name;
  Bytes payload;
  const char* text;
};

inline std::ostream& operator<<(std::ostream& os, const FrameCase& c) { return os << c.name; }
