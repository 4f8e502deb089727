// Names of the adapter entity interface: signalling and management requests
// and indications, network-layer primitives and return codes. The writers
// append to the line being composed.
#pragma once

#include "trace/textbuf.h"

// "S-" and the signalling name of the code's low byte ("UNKNOWN(%02x)" when
// it has none); requests and indications differ for a few codes.
void adapterSigName(TextBuf& line, unsigned code, bool isRequest);
// "M-" and the management name of the code's low byte, or "UNKNOWN(%02x)".
void adapterManName(TextBuf& line, unsigned code, bool isRequest);
// The return-code text of the code's low byte: " | NAME" for an error code,
// " | %02x" for the other codes below 0x20, a plain name for success codes.
void adapterRcName(TextBuf& line, unsigned code);

// Network-layer primitive name for an indication or request code c: entry
// ((c - 1) AND 0x0F) of the primitive table when that is at most 12, else
// nullptr. The high nibble of c is ignored.
const char* adapterNlName(unsigned c);
