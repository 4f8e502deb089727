// WAN-miniport text records (message type 3).
#pragma once

#include <cstdio>

#include "trace/record.h"

void wanDecodeRecord(FILE* out, const DebugRecord& rec);
