// Placeholder until the PPP decoder lands.
#include "decode/ppp/ppp.h"

void pppDecodeRecord(FILE* out, const DebugRecord& rec) { printBinaryRecord(out, rec); }
