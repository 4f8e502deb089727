#include "monitor/line_table.h"

namespace {
LineMonitor g_monitor;
}

LineMonitor& lineMonitor() { return g_monitor; }

void lineTableClear() {
  for (int n = 0; n < kMonitorLines; ++n) g_monitor.lines[n] = MonitorLine{n, LineState::kIdle, 0};
}
