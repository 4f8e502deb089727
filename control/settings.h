// Process-wide settings, filled once from the command line.
#pragma once

#include <cstdint>

constexpr uint16_t kNoDriver = 0xFFFF;
constexpr uint32_t kMaskGet = 0xFFFFFFFF;

struct Settings {
  const char* deviceName = "\\\\.\\Norwin_QVMAINT";
  bool overlappedWrites = true;
  uint16_t driverId = kNoDriver;
  uint32_t debugMask = 0xFFFFFFFF;
  uint32_t period = 2000;         // ms
  uint32_t copyThreshold = 32768; // bytes
  uint32_t bufferSize = 0x400000; // bytes
  uint32_t wrapLimit = 0xFFFFFFFF;
  int processorFilter = -1;
  unsigned extraCopies = 0;
  uint16_t timeStartHour = 0, timeStartMinute = 0;
  uint16_t timeEndHour = 23, timeEndMinute = 59;
  bool compactBChannel = false;
  bool facilityDecoding = false;
  const char* rawOutputFile = nullptr;
  const char* remarksTag = nullptr;
  const char* inputFile = nullptr;
  const char* crashDumpFile = nullptr;
  unsigned monitor = 0;
};

extern Settings g_settings;
