// Argument decoders: advice-of-charge currency, common-information feature
// identifier, and the bit strings they carry.
#include "decode/facility/rose_internal.h"

const char* const kRoseMultiplierNames[7] = {"oneThousandth", "oneHundredth", "oneTenth", "one",
                                             "ten",           "hundred",      "thousand"};

bool roseIsCurrencyKey(uint32_t key) {
  return key == roseKey(0, 61) || key == roseKey(0, 62) || key == roseKey(1, 61) ||
         key == roseKey(1, 62);
}

namespace {

// Moves to the first child (or next sibling) and checks its tag: 0 on
// success, else the code for "none" or for "other tag".
int childWithTag(BerCursor& c, uint8_t tag, int none, int other) {
  if (berFirstChild(c) != 0) return none;
  return berTagAt(c) == tag ? 0 : other;
}
int siblingWithTag(BerCursor& c, uint8_t tag, int none, int other) {
  if (berNextSibling(c) != 0) return none;
  return berTagAt(c) == tag ? 0 : other;
}

}  // namespace

int roseReadCurrency(const BerTable& t, unsigned argument, uint32_t key, RoseCurrency& result) {
  (void)key;  // all four charge operations share the argument form
  result = {0, 0};
  BerCursor c{&t, static_cast<uint8_t>(argument)};
  if (berTagAt(c) != 0x30) return 1;
  if (berFirstChild(c) != 0) return 2;
  const uint8_t choice = berTagAt(c);
  if (choice == 0x80 || choice == 0x81) return 0;  // charge not available / free of charge
  if (choice != 0x30) return 16;
  int r;
  if ((r = childWithTag(c, 0xA1, 3, 4)) || (r = childWithTag(c, 0x81, 5, 6)) ||
      (r = siblingWithTag(c, 0xA2, 7, 8)) || (r = childWithTag(c, 0x81, 9, 10)))
    return r;
  const uint32_t n = berAt(c).contentLength;
  if (n < 1 || n > 4) return 12;
  const uint32_t amount = static_cast<uint32_t>(berIntValue(berContentAt(c), n));
  if (amount >= (1u << 24)) return 11;
  if ((r = siblingWithTag(c, 0x82, 13, 14))) return r;
  if (berAt(c).contentLength != 1 || berContentAt(c).u8(0) > 6) return 15;
  result.amount = amount;
  result.multiplier = berContentAt(c).u8(0);
  return 0;
}

int roseReadCommonInfo(const BerTable& t, unsigned argument, RoseCommonInfo& result) {
  result = {};
  BerCursor c{&t, static_cast<uint8_t>(argument)};
  if (berTagAt(c) != 0x30) return 1;
  if (berFirstChild(c) != 0) return 2;
  do {
    const uint32_t n = berAt(c).contentLength;
    if (!result.hasFeature && berTagAt(c) == 0x82 && n >= 1 && n <= 9 &&
        roseReadBitString(t, c.index, sizeof result.feature, result.feature, result.count) == 0)
      result.hasFeature = true;
  } while (berNextSibling(c) == 0);
  return 0;
}

int roseReadBitString(const BerTable& t, unsigned element, unsigned capacity, uint8_t* bytes,
                      uint8_t& count) {
  const ByteView content = berContent(t, element);
  const uint32_t n = t.entries[element].contentLength;
  if (n == 0 || content.size < n) return 1;
  const uint8_t unused = content.u8(0);
  if (n == 1) {
    if (unused != 0) return 2;
    count = 0;
    return 0;
  }
  if (unused > 7) return 3;
  if (n - 1 > capacity) return 4;
  const unsigned m = n - 1;
  for (unsigned k = 0; k < m; ++k) {
    uint8_t b = content.u8(1 + (m - 1 - k));
    if (k == 0) b = static_cast<uint8_t>(b & (0xFFu << unused));
    uint8_t rev = 0;
    for (int bit = 0; bit < 8; ++bit)
      if (b & (1u << bit)) rev = static_cast<uint8_t>(rev | (0x80u >> bit));
    bytes[k] = rev;
  }
  count = static_cast<uint8_t>(m);
  return 0;
}

int roseReadNfe(const BerTable& t, unsigned nfe, RoseNfe& result) {
  result = {};
  BerCursor c{&t, static_cast<uint8_t>(nfe)};
  auto entity = [&](uint8_t tag, uint8_t& value) {
    if (berTagAt(c) != tag || berAt(c).contentLength != 1 || berContentAt(c).u8(0) > 1)
      return false;
    value = berContentAt(c).u8(0);
    return true;
  };
  if (berFirstChild(c) != 0) return 1;
  if (!entity(0x80, result.sourceEntity)) return 2;
  result.source = c.index;
  if (berNextSibling(c) != 0) return 3;
  if (berTagAt(c) == 0xA1) {
    result.hasSourceAddress = true;
    result.sourceAddress = c.index;
    if (berNextSibling(c) != 0) return 4;
  }
  if (!entity(0x82, result.destinationEntity)) return 5;
  result.destination = c.index;
  if (berNextSibling(c) == 0 && berTagAt(c) == 0xA3) {
    result.hasDestinationAddress = true;
    result.destinationAddress = c.index;
  }
  return 0;
}
