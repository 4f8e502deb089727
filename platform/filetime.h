// File times (100-ns intervals since 1601-01-01 UTC) as local time of day.
#pragma once

#include <cstdint>

struct LocalTimeOfDay {
  int hour = 0;
  int minute = 0;
  int second = 0;
  int millisecond = 0;
};

// Converts a file time to local time of day, honouring TZ.
LocalTimeOfDay fileTimeToLocal(uint64_t fileTime);
