// Placeholder until the driver side lands: the device cannot be opened.
#include <cerrno>

#include "control/diag.h"
#include "driver/driver.h"

void openDevice(const char* name) {
  printDiagnostic("CreateFile(%s) ==> %ld\n", name, 2L);
  terminate(1);
}
void closeDevice() {}
RequestBlock* driverRequest(uint32_t, const uint32_t*, const char*) { return nullptr; }
uint32_t requestLength(const RequestBlock*) { return 0; }
uint8_t* requestData(RequestBlock*) { return nullptr; }
void queFree(RequestBlock*) {}
void queReleaseAll() {}
bool rawFileOpen(bool) { return false; }
void rawFileClose() {}
void captureLoop() {}
void startRemarks() {}
void listDrivers() {}
void maskCommand() {}
void oneShotCopy() {}
void selectDriverByName(const char* const*, int) {}
