// Q.931 (and 1TR6, CORNET, DKZE) signalling messages and events.
#pragma once

#include <cstdint>
#include <cstdio>

#include "decode/adapter/xlog.h"

// None of these ends its output with a newline; the xlog decoder does.
void q931DecodeSigMessage(FILE* out, const XlogCollection& c);
void q931DecodeCallEvent(FILE* out, const XlogCollection& c, uint16_t eventWord);
void q931DecodeSpidEvent(FILE* out, const XlogCollection& c, uint16_t eventWord);

// Q.931 cause text for a cause value 0..127 (values without a name show as
// their decimal number). Also used by the CAPI decoder.
const char* q931CauseText(unsigned cause);
