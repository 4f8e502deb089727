// Dispatch of binary adapter records (class 5 / driver id 12) and class-6
// secondary trace records.
#pragma once

#include <cstdio>

#include "trace/record.h"

void adapterRecordDispatch(FILE* out, const DebugRecord& rec, bool compact);
void class6RecordDispatch(FILE* out, const DebugRecord& rec);
