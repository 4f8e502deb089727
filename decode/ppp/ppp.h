// PPP frames of the WAN-side drivers, and undecoded binary records.
#pragma once

#include <cstdio>

#include "trace/record.h"

void pppDecodeRecord(FILE* out, const DebugRecord& rec);
// "%d bytes", the hex dump of the payload, "\n".
void printBinaryRecord(FILE* out, const DebugRecord& rec);
