// placeholder
#include "trace/interp.h"
static InterpState g_state;
InterpState& interpState() { return g_state; }
void interpretFile(const char*) {}
void recordLoop(uint8_t*, size_t&) {}
