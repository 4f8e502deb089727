// Manual-reset events that threads signal and the main thread waits on:
// one event, or any of up to kMaxWaitEvents (the lowest signalled position
// wins, as the capture loop relies on).
#pragma once

#include <cstdint>

constexpr int kMaxWaitEvents = 32;
constexpr uint32_t kWaitObject0 = 0;
constexpr uint32_t kWaitTimeout = 0x102;
constexpr uint32_t kWaitFailed = 0xFFFFFFFF;
constexpr uint32_t kWaitInfinite = 0xFFFFFFFF;

struct PlatformEvent;

// A new event, not signalled; nullptr when none can be had.
PlatformEvent* eventCreate();
void eventClose(PlatformEvent* event);
void eventSet(PlatformEvent* event);
void eventReset(PlatformEvent* event);
bool eventIsSet(const PlatformEvent* event);

// Waits up to timeoutMs for the event: kWaitObject0 or kWaitTimeout.
uint32_t eventWait(PlatformEvent* event, uint32_t timeoutMs);
// Waits up to timeoutMs for any of the count events: kWaitObject0 + the
// lowest signalled position, kWaitTimeout, or kWaitFailed (bad arguments).
uint32_t eventWaitAny(PlatformEvent* const* events, int count, uint32_t timeoutMs);
