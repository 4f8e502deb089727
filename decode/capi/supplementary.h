// Shared pieces of the supplementary-services facility printers.
#pragma once

#include <cstdio>

#include "decode/capi/capi_structs.h"

// Room for the longest parameter format ("wwwwsssssss") and the end entry.
constexpr size_t kSuppParams = 12;

void suppWrong(FILE* out, const char* format);
// A structure line: label, " (0x%lx): " and, when not empty, the number with
// extra (0..2) octets in hex, the bytes, or the quoted characters.
void suppNumber(FILE* out, const char* label, const CapiParam& f, int extra);
void suppBytes(FILE* out, const char* label, const CapiParam& f);
void suppQuoted(FILE* out, const char* label, const CapiParam& f);
// "Call-Forwarding type: 0x%x " and the type's flag names, after indent.
void suppCfType(FILE* out, const char* indent, uint16_t type);

void suppPrintIndication(FILE* out, uint16_t function, ByteView parameter);
