// Command-line parsing into the process-wide settings.
#pragma once

#include "control/settings.h"

// Mode counters of one parse.
struct ModeCounts {
  unsigned a = 0, i = 0, l = 0, m = 0, p = 0;
};

enum class ParseResult { kOk, kUsage };

// Parses argv[1..argc-1] into settings and counts. -wmp and -capi look their
// driver up at once (this may open the device).
ParseResult parseOptions(int argc, char** argv, Settings& settings, ModeCounts& counts);

// Prints the usage text to standard error.
void printUsage();

// The runtime's number conversions of the original platform (32-bit long):
// base 0, text that is not a number reads as 0, overflow saturates.
uint32_t toUnsigned32(const char* text);
long toSigned32(const char* text);

// The -time window value.
void parseTimeWindow(const char* value, Settings& settings);
