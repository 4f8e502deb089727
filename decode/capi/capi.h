// CAPI 2.0 messages in the adapter trace (xlog codes 128 and 129).
#pragma once

#include <cstdint>
#include <cstdio>

// entry holds the 2150-byte zero-padded entry copy.
void capiDecodeTrace(FILE* out, const uint8_t* entry);
