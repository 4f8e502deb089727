// Placeholder until the Q.931 decoder lands.
#include "decode/adapter/q931.h"

void q931DecodeSigMessage(FILE*, const XlogCollection&) {}
void q931DecodeCallEvent(FILE*, const XlogCollection&, uint16_t) {}
void q931DecodeSpidEvent(FILE*, const XlogCollection&, uint16_t) {}
const char* q931CauseText(unsigned) { return ""; }
