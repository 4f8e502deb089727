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

// 1TR6 cause text for a cause value 0..127, in the same form.
const char* q931Cause1tr6Text(unsigned cause);

// The layer-3 decode of a collected message (21 blanks, protocol, call
// reference, message type, one line per information element).
void q931DecodeMessage(FILE* out, const XlogCollection& c);
