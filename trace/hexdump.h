#pragma once

#include <cstdint>
#include <cstdio>

// One dump line of the first min(count, 16) bytes, labelled with offset: a
// newline, the offset, four groups of hex bytes and the character column. No
// trailing newline; nothing when count <= 0.
void hexDumpLine(FILE* out, const uint8_t* bytes, unsigned offset, long count);

// All dump lines of a block of n bytes (offsets 0, 16, ...).
void hexDumpBlock(FILE* out, const uint8_t* bytes, unsigned n);
