#include "platform/event.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <new>

#include "platform/syserror.h"

// One lock and one condition for all events keeps "wait for any" simple;
// signals are rare (one per completed request), so contention is no issue.
// Never destroyed: at exit the main thread may still be waiting on them
// while another thread ends the program.
static std::mutex& g_eventMutex = *new std::mutex;
static std::condition_variable& g_eventChanged = *new std::condition_variable;

struct PlatformEvent {
  std::atomic<bool> signalled{false};
};

PlatformEvent* eventCreate() { return new (std::nothrow) PlatformEvent; }
void eventClose(PlatformEvent* event) { delete event; }

void eventSet(PlatformEvent* event) {
  {
    std::lock_guard<std::mutex> lock(g_eventMutex);
    event->signalled.store(true, std::memory_order_release);
  }
  g_eventChanged.notify_all();
}

void eventReset(PlatformEvent* event) {
  std::lock_guard<std::mutex> lock(g_eventMutex);
  event->signalled.store(false, std::memory_order_release);
}

bool eventIsSet(const PlatformEvent* event) { return event->signalled.load(std::memory_order_acquire); }

uint32_t eventWait(PlatformEvent* event, uint32_t timeoutMs) {
  PlatformEvent* one[1] = {event};
  return eventWaitAny(one, 1, timeoutMs);
}

uint32_t eventWaitAny(PlatformEvent* const* events, int count, uint32_t timeoutMs) {
  if (count <= 0 || count > kMaxWaitEvents) {
    setLastSystemError(kErrorInvalidParameter);
    return kWaitFailed;
  }
  for (int i = 0; i < count; ++i) {
    if (!events[i]) {
      setLastSystemError(kErrorInvalidParameter);
      return kWaitFailed;
    }
  }
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  std::unique_lock<std::mutex> lock(g_eventMutex);
  for (;;) {
    for (int i = 0; i < count; ++i)
      if (events[i]->signalled.load(std::memory_order_acquire)) return kWaitObject0 + static_cast<uint32_t>(i);
    if (timeoutMs == kWaitInfinite) {
      g_eventChanged.wait(lock);
    } else if (g_eventChanged.wait_until(lock, deadline) == std::cv_status::timeout) {
      for (int i = 0; i < count; ++i)
        if (events[i]->signalled.load(std::memory_order_acquire)) return kWaitObject0 + static_cast<uint32_t>(i);
      return kWaitTimeout;
    }
  }
}
