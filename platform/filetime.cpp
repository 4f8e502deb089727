#include "platform/filetime.h"

#include <ctime>

// Seconds between 1601-01-01 and 1970-01-01.
static constexpr int64_t kEpochDelta = 11644473600LL;

// Records arrive in time order, so the local offset is looked up once per
// quarter hour (zones change their offset only on such boundaries) instead of
// once per record.
static int64_t g_cachedBucket = INT64_MIN;
static long g_cachedOffset = 0;

static long localOffset(int64_t unixSeconds) {
  int64_t bucket = unixSeconds >= 0 ? unixSeconds / 900 : (unixSeconds - 899) / 900;
  if (bucket != g_cachedBucket) {
    time_t t = static_cast<time_t>(unixSeconds);
    struct tm tmv;
    g_cachedOffset = localtime_r(&t, &tmv) ? tmv.tm_gmtoff : 0;
    g_cachedBucket = bucket;
  }
  return g_cachedOffset;
}

LocalTimeOfDay fileTimeToLocal(uint64_t fileTime) {
  int64_t seconds = static_cast<int64_t>(fileTime / 10000000ULL) - kEpochDelta;
  LocalTimeOfDay r;
  r.millisecond = static_cast<int>((fileTime / 10000ULL) % 1000ULL);
  int64_t local = seconds + localOffset(seconds);
  int64_t inDay = local % 86400;
  if (inDay < 0) inDay += 86400;
  r.hour = static_cast<int>(inDay / 3600);
  r.minute = static_cast<int>(inDay / 60 % 60);
  r.second = static_cast<int>(inDay % 60);
  return r;
}
