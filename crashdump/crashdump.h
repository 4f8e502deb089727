// Crash-dump analysis (-a).
#pragma once

// Scans the crash dump (the default path when name is nullptr) for debug
// records and prints or stores them in sequence order.
void analyseCrashDump(const char* name);
