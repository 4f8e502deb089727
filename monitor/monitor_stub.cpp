// Placeholder until the line monitor lands.
#include "monitor/monitor.h"

#include "trace/interp.h"

void monitorRecords(const char*, uint8_t* buf, size_t& count) { recordLoop(buf, count); }
void consoleRestore(int) {}
