// CAPI Info, Reason, Reason_B3 and Reject texts.
#pragma once

#include <cstdint>
#include <cstdio>

#include "decode/capi/capi_params.h"

extern const CapiValueTable kCapiInfo;      // Info of confirmations
extern const CapiValueTable kCapiReason;    // Reason of DISCONNECT_IND
extern const CapiValueTable kCapiReasonB3;  // Reason_B3 of DISCONNECT_B3_IND
extern const CapiValueTable kCapiReject;    // Reject of CONNECT_RESP, CONNECT_B3_RESP

// Text of a Reason: a 0x34xx value carries a Q.931 cause in its low seven
// bits and shows the cause text; every other value the Reason table's text.
const char* capiPrintReason(uint16_t value);

// "    Info: %s\n" with the Info table's text (the value itself is not shown).
void capiPrintInfoLine(FILE* out, uint16_t info);

// Q.931 cause text of the low seven bits of a 0x34xx code (shared with the
// Q.931 decoder).
const char* capiCauseText(uint16_t value);
