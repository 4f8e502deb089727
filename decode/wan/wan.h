// WAN-miniport text records (message type 3).
//
// The driver writes numeric codes into its texts as backquoted keywords, a
// prefix naming the kind of value followed by the value in hexadecimal (a
// call state as `CST_0x100`). The decoder replaces each known keyword by the
// value's name and then every NDIS object-identifier reference
// ("OID_0x%08X_") by the identifier's name.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "trace/record.h"

// Prints the decoded text of one message-type-3 record and a newline.
void wanDecodeRecord(FILE* out, const DebugRecord& rec);

// One row of the keyword table: a keyword whose first `length` characters are
// `prefix` is replaced by name(value), the value read in hexadecimal from the
// characters after the prefix.
struct WanKeyword {
  const char* prefix;
  size_t length;
  const char* (*name)(uint32_t value);
};

// The keyword prefixes the decoder knows, ending with an empty row. No prefix
// begins another, so at most one row matches a keyword.
extern const WanKeyword wanKeywordTable[];

// Replaces every OID reference in text by its name and prints the result and
// "\n". A reference is "OID_0x", eight characters and an underscore.
void wanExpandOids(FILE* out, const char* text);

// The reference form "OID_0x%08lX_" of an object identifier, in storage that
// the next call reuses.
const char* formatOidKeyword(uint32_t value);

// Reads a hexadecimal number from the n characters at s as the standard
// unsigned conversion with base 16 would, on a 32-bit long: leading white
// space, an optional sign and an optional "0x" are skipped; reading stops at
// the first character that is not a hexadecimal digit; no digits give 0 and a
// number too large for 32 bits gives 0xFFFFFFFF; a minus sign negates.
uint32_t wanReadHex(const char* s, size_t n);
