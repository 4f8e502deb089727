// placeholder
#include "platform/stop_event.h"
bool stopEventOpen() { return false; }
void stopEventSignal() {}
bool stopEventSignalled() { return false; }
void stopEventClose() {}
