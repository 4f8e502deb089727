// Shared pieces of the ROSE decoder: header readers, operation keys and
// argument decoders.
#pragma once

#include <cstdint>
#include <cstdio>

#include "decode/facility/ber_reader.h"

// Operation key: family in the high 16 bits, operation value in the low 16.
constexpr uint32_t roseKey(uint32_t family, uint32_t value) { return (family << 16) | (value & 0xFFFF); }

// Header results.
constexpr int kRoseHeaderArgument = 0;   // recognised, argument at the cursor
constexpr int kRoseHeaderNoChild = 1;
constexpr int kRoseHeaderNoLinkedNext = 3;  // nothing after a linked id / no result sequence
constexpr int kRoseHeaderEmptySequence = 4;
constexpr int kRoseHeaderUnmapped = 10;  // identifier not mapped, something follows
constexpr int kRoseHeaderOnlyId = 11;
constexpr int kRoseHeaderOidDone = 12;    // recognised by identifier, nothing follows
constexpr int kRoseHeaderLocalDone = 13;  // recognised as a local value, nothing follows
constexpr int kRoseHeaderUnmappedDone = 14;
constexpr int kRoseHeaderBad = -1;

// The cursor starts on the component. Afterwards it is on the element after
// the operation value, or on the operation value itself when nothing follows.
int roseReadInvokeHeader(FILE* out, BerCursor& c, uint8_t profile, uint32_t& key);
// For ReturnResult, ReturnError and Reject (told apart by the component tag).
int roseReadReplyHeader(FILE* out, BerCursor& c, uint8_t profile, uint32_t& key);
// The operation value at the cursor (local value or object identifier).
int roseReadOperationValue(FILE* out, BerCursor& c, uint8_t profile, uint32_t& key);

// Identifier path: prints the "OI" line and the family line (or "OI unknown");
// true with key when the identifier maps to an operation key.
bool roseMapOid(FILE* out, ByteView content, unsigned depth, uint8_t profile, uint32_t& key);

// "OP name (value)" or "OP (value)" at the line start of depth.
void rosePrintOperation(FILE* out, unsigned depth, uint32_t key);
// Table text of a key, or nullptr when its family has no table or the value
// lies outside the ranges covered. digits receives the number text of
// entries without a name.
const char* roseOperationName(uint32_t key, char (&digits)[8]);

struct RoseCurrency {
  uint32_t amount;
  uint8_t multiplier;
};
extern const char* const kRoseMultiplierNames[7];
bool roseIsCurrencyKey(uint32_t key);
int roseReadCurrency(const BerTable& t, unsigned argument, uint32_t key, RoseCurrency& result);

struct RoseCommonInfo {
  bool hasFeature;
  uint8_t count;
  uint8_t feature[8];
};
int roseReadCommonInfo(const BerTable& t, unsigned argument, RoseCommonInfo& result);
int roseReadBitString(const BerTable& t, unsigned element, unsigned capacity, uint8_t* bytes,
                      uint8_t& count);

struct RoseNfe {
  unsigned source, destination;  // entries
  uint8_t sourceEntity, destinationEntity;
  bool hasSourceAddress, hasDestinationAddress;
  unsigned sourceAddress, destinationAddress;
};
int roseReadNfe(const BerTable& t, unsigned nfe, RoseNfe& result);
