// Program entry: stop event, -stop, command line, run-mode selection.
#include "control/control.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

#include "control/diag.h"
#include "control/options.h"
#include "control/settings.h"
#include "crashdump/crashdump.h"
#include "driver/driver.h"
#include "platform/signals.h"
#include "platform/stop_event.h"
#include "trace/interp.h"

Settings g_settings;

// Asks the driver for its buffer size; keeps the default when the answer is
// not usable.
static void requestBufferSize() {
  const uint32_t in[4] = {kDbgGetBufsize, 0, 0, 0};
  RequestBlock* b = driverRequest(4, in, "DBG_GET_BUFSIZE");
  if (!b) return;  // rejected: the default stays, without a message
  uint32_t value = 0;
  bool ok = requestLength(b) == 4;
  if (ok) {
    const uint8_t* d = requestData(b);
    value = static_cast<uint32_t>(d[0] | (d[1] << 8) | (d[2] << 16) | (static_cast<uint32_t>(d[3]) << 24));
    ok = value >= 0x8000 && value <= 0x400000;
  }
  if (ok) {
    g_settings.bufferSize = value;
  } else {
    printDiagnostic("ioctl(DBG_GET_BUFSIZE) ==> bad val\n");
    printDiagnostic("assume bufsize %ld\n", asLong32(g_settings.bufferSize));
  }
  queFree(b);
}

static void runDriverModes(const ModeCounts& counts) {
  Settings& s = g_settings;
  openDevice(s.deviceName);
  requestBufferSize();
  if (s.copyThreshold > s.bufferSize) s.copyThreshold = s.bufferSize;
  if (s.rawOutputFile && !rawFileOpen(s.overlappedWrites)) {
    printDiagnostic("printing debugs to stdout !\n");
    s.rawOutputFile = nullptr;
  }
  if (s.monitor) {
    captureLoop();
    return;
  }
  if (counts.l || counts.m || counts.p) {
    if (counts.l) listDrivers();
    if (counts.m) maskCommand();
    if (counts.p) {
      if (s.remarksTag) startRemarks();
      captureLoop();
    }
    return;
  }
  oneShotCopy();
}

int marlogMain(int argc, char** argv) {
  signalsBlock();
  // Output is redirected to files more often than not: buffer it fully.
  static char outBuf[1 << 16];
  std::setvbuf(stdout, outBuf, _IOFBF, sizeof outBuf);

  bool haveStopEvent = stopEventOpen();
  for (int k = 1; k < argc; ++k) {
    if (std::strcmp(argv[k], "-stop") == 0) {
      if (haveStopEvent) {
        stopEventSignal();
        stopEventClose();
        ::usleep(3000 * 1000);
      }
      std::exit(0);
    }
  }
  // Platform check: never of the Windows 95 family here, so the device name
  // and overlapped file writes keep their defaults.

  ModeCounts counts;
  if (parseOptions(argc, argv, g_settings, counts) == ParseResult::kUsage) {
    printUsage();
    terminate(1);
  }
  signalsStartHandler();

  Settings& s = g_settings;
  if (counts.i) {
    interpretFile(s.inputFile);
  } else if (counts.a) {
    if (s.rawOutputFile && !rawFileOpen(false)) {
      printDiagnostic("printing debugs to stdout !\n");
      s.rawOutputFile = nullptr;
    }
    analyseCrashDump(s.crashDumpFile);
  } else {
    runDriverModes(counts);
  }
  terminate(0);
}
