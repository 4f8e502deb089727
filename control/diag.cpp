#include "control/diag.h"

#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

#include "driver/driver.h"
#include "monitor/monitor.h"
#include "platform/stop_event.h"

static std::atomic<int> g_terminationCount{0};
static TerminateHook g_hook = nullptr;

int terminationCount() { return g_terminationCount.load(); }
void setTerminateHook(TerminateHook hook) { g_hook = hook; }

void printDiagnostic(const char* fmt, ...) {
  if (g_terminationCount != 0) return;
  FixedText<1024> text;
  text.addText("Marlog: ");
  va_list ap;
  va_start(ap, fmt);
  text.vadd(fmt, ap);
  va_end(ap);
  ssize_t rc = ::write(2, text.str(), text.len);
  (void)rc;
}

void terminate(int code) {
  if (g_hook) g_hook(code);
  if (g_terminationCount.fetch_add(1) == 0) {
    closeDevice();
    rawFileClose();
    consoleRestore(code);
    queReleaseAll();
    stopEventClose();
  }
  std::fflush(stdout);
  std::exit(code);
}
