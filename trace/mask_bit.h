// The debug-mask bit of a record and its class letter.
#pragma once

#include "trace/record.h"

// Mask bit 0..31: driver class - 1, or for class 5 the sub-code table's bit
// for the second payload byte.
int recordMaskBit(const DebugRecord& rec);

// The class letter shown for a mask bit.
char classLetter(int maskBit);
