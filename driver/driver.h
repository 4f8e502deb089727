// The program's side of the maintenance driver: device, request blocks,
// raw output file and the driver run modes.
#pragma once

#include <cstdint>

// Debug request commands (word 0 of the 16-byte input block).
enum DebugCommand : uint32_t {
  kDbgCopyLogs = 0,
  kDbgFlushLogs = 1,
  kDbgListDrvs = 2,
  kDbgGetMask = 3,
  kDbgSetMask = 4,
  kDbgGetBufsize = 5,
};
constexpr uint32_t kIoctlDebug = 0x80011C0A;
constexpr uint32_t kIoctlWriteLine = 0x80010020;
// How long a synchronous request may take.
constexpr uint32_t kRequestWaitMs = 500;

struct RequestBlock;
struct PlatformDevice;

// Opens the device on the first call; failure ends the program with
// "CreateFile(%s) ==> %ld\n" and code 1.
void openDevice(const char* name);
void closeDevice();
// The open device, or nullptr.
PlatformDevice* currentDevice();

// Synchronous debug request; nullptr when the driver rejects it with the
// invalid-parameter code. Other failures end the program.
RequestBlock* driverRequest(uint32_t capacity, const uint32_t input[4], const char* requestName);
uint32_t requestLength(const RequestBlock* block);
uint8_t* requestData(RequestBlock* block);
void queFree(RequestBlock* block);
void queReleaseAll();

// Prints (or, with the raw file open, stores) the records of a one-shot
// reply, and releases the block.
void deliverResult(RequestBlock* block);

// Raw output file (the ".3" generation); false when it cannot be opened.
bool rawFileOpen(bool overlapped);
void rawFileClose();

// Run modes.
void captureLoop();
void startRemarks();
void listDrivers();
void maskCommand();
void oneShotCopy();
// -wmp / -capi: sets the driver id to the first registered driver whose list
// text begins with one of the prefixes (tried in order).
void selectDriverByName(const char* const* prefixes, int count);
// The id of the first listed driver whose text begins with prefix, or 0xFFFF.
uint16_t lookupDriver(const char* prefix);
