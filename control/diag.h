// Diagnostics and the single way out of the program.
#pragma once

#include <cstdint>

#include "trace/textbuf.h"

// Writes "Marlog: " and the formatted message to standard error in one write;
// silent once termination has begun. Adds no newline.
void printDiagnostic(const char* fmt, ...) MARLOG_PRINTF(1, 2);

// Closes the device and the raw file, restores the console, releases the
// request blocks and the stop event, and exits with code. Runs its clean-up
// once however often it is reached.
[[noreturn]] void terminate(int code);

// Termination counter: 0 until terminate() has been entered.
int terminationCount();

// Test and fuzz hook: when set, terminate() calls it with the code instead of
// cleaning up and exiting (the hook must not return, e.g. it longjmps).
using TerminateHook = void (*)(int code);
void setTerminateHook(TerminateHook hook);

// 32-bit "long" of the original platform, for %ld of the messages.
inline long asLong32(unsigned long v) { return static_cast<long>(static_cast<int32_t>(static_cast<uint32_t>(v))); }
