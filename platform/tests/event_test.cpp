#include "platform/event.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

TEST(Event, WaitAnyReportsLowestSignalledPosition) {
  PlatformEvent* e[3] = {eventCreate(), eventCreate(), eventCreate()};
  eventSet(e[2]);
  eventSet(e[1]);
  EXPECT_EQ(eventWaitAny(e, 3, 0), kWaitObject0 + 1);
  eventReset(e[1]);
  EXPECT_EQ(eventWaitAny(e, 3, 0), kWaitObject0 + 2);
  eventReset(e[2]);
  EXPECT_EQ(eventWaitAny(e, 3, 10), kWaitTimeout);
  // Manual reset: a signalled event stays signalled for every wait.
  eventSet(e[0]);
  EXPECT_EQ(eventWait(e[0], 0), kWaitObject0);
  EXPECT_EQ(eventWait(e[0], 0), kWaitObject0);
  for (auto* x : e) eventClose(x);
}

TEST(Event, WaitEndsWhenAnotherThreadSignals) {
  PlatformEvent* e = eventCreate();
  auto start = std::chrono::steady_clock::now();
  std::thread t([e] {
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    eventSet(e);
  });
  EXPECT_EQ(eventWait(e, 5000), kWaitObject0);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
  t.join();
  eventClose(e);
}

TEST(Event, WaitAnyRejectsBadCounts) {
  PlatformEvent* e[1] = {eventCreate()};
  EXPECT_EQ(eventWaitAny(e, 0, 0), kWaitFailed);
  EXPECT_EQ(eventWaitAny(e, kMaxWaitEvents + 1, 0), kWaitFailed);
  eventClose(e[0]);
}
