// CAPI 2.0 messages in the adapter trace (xlog codes 128 and 129).
#pragma once

#include <cstdint>
#include <cstdio>

#include "trace/byteview.h"

// entry holds the 2150-byte zero-padded entry copy.
void capiDecodeTrace(FILE* out, const uint8_t* entry);

// One message without its length word (application id first); count is the
// total length minus 2 and may be zero, negative or larger than the view
// (the view's end then ends the message).
void capiDecodeMessage(ByteView message, long count, FILE* out);
