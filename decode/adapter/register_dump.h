// The adapter CPU's exception register set, logged as two code-50 entries of
// twenty 32-bit words each.
#pragma once

#include <cstdint>
#include <cstdio>

#include "trace/byteview.h"

constexpr size_t kRegisterAreaWords = 40;

// The first part (qualifier 0) is kept; the second part prints the exception
// class and cause and all registers, using whatever the first half holds.
// Prints no final newline.
void xlogRegisterDump(FILE* out, ByteView entry);

// The kept register area (tests) and its reset (tests only).
const uint32_t* xlogRegisterArea();
void xlogResetRegisters();
