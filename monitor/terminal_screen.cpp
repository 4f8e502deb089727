// The screen operations of a program run: the terminal, real sleeping and
// the local clock.
#include <ctime>
#include <thread>
#include <chrono>

#include "monitor/screen.h"
#include "platform/console.h"

namespace {

void sleepMs(unsigned ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

LocalTimeOfDay localNow() {
  std::time_t now = std::time(nullptr);
  std::tm tm{};
  localtime_r(&now, &tm);
  LocalTimeOfDay t;
  t.hour = tm.tm_hour;
  t.minute = tm.tm_min;
  t.second = tm.tm_sec;
  return t;
}

}  // namespace

const ScreenOps kTerminalScreen = {
    consoleOpen, consoleClose, consoleOutputHeld, consoleClear, consoleWrite,
    consoleFill, consoleFlush, sleepMs,           localNow,
};
