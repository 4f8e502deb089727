#include "platform/filetime.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

namespace {

uint64_t fileTimeOf(long long unixSeconds, int ms) {
  return (static_cast<uint64_t>(unixSeconds + 11644473600LL) * 1000 + ms) * 10000ULL;
}

TEST(FileTime, LocalTimeHonoursTz) {
  // 2026-01-15 14:05:09.250 UTC
  long long t = 1768485909;
  setenv("TZ", "UTC", 1);
  tzset();
  LocalTimeOfDay a = fileTimeToLocal(fileTimeOf(t, 250));
  EXPECT_EQ(a.hour, 14);
  EXPECT_EQ(a.minute, 5);
  EXPECT_EQ(a.second, 9);
  EXPECT_EQ(a.millisecond, 250);
  setenv("TZ", "CET-1", 1);
  tzset();
  // A different quarter hour so the cached offset is looked up again.
  LocalTimeOfDay b = fileTimeToLocal(fileTimeOf(t + 3600, 0));
  EXPECT_EQ(b.hour, 16);
  setenv("TZ", "UTC", 1);
  tzset();
}

}  // namespace
