// A character grid standing in for the terminal, for the monitor's tests.
#pragma once

#include <string>
#include <vector>

#include "monitor/screen.h"

struct FakeScreen {
  static constexpr int kColumns = 80;
  static constexpr int kRows = 110;
  bool terminal = true;  // false: open() fails as for redirected output
  bool held = false;
  int opens = 0, closes = 0, clears = 0;
  std::vector<unsigned> sleeps;
  LocalTimeOfDay now{12, 34, 56, 0};
  // '#' marks cells never written: the frame must clear what it shows.
  std::vector<std::string> grid = std::vector<std::string>(kRows, std::string(kColumns, '#'));

  // The count characters of row at col.
  std::string at(int row, int col, int count) const { return grid[row].substr(col, count); }
};

inline FakeScreen g_fakeScreen;

namespace fake_screen_ops {
inline bool open(int* columns, int* rows) {
  ++g_fakeScreen.opens;
  if (!g_fakeScreen.terminal) return false;
  g_fakeScreen.held = true;
  *columns = FakeScreen::kColumns;
  *rows = FakeScreen::kRows;
  return true;
}
inline void close() {
  ++g_fakeScreen.closes;
  g_fakeScreen.held = false;
}
inline bool held() { return g_fakeScreen.held; }
inline void clear() {
  ++g_fakeScreen.clears;
  g_fakeScreen.grid.assign(FakeScreen::kRows, std::string(FakeScreen::kColumns, ' '));
}
// Like the terminal: what lies outside the screen is dropped.
inline void write(int row, int col, const char* text, int count) {
  for (int i = 0; i < count; ++i)
    if (row >= 0 && row < FakeScreen::kRows && col + i >= 0 && col + i < FakeScreen::kColumns)
      g_fakeScreen.grid[row][col + i] = text[i];
}
inline void fill(int row, int col, int count) {
  std::string spaces(count > 0 ? count : 0, ' ');
  write(row, col, spaces.data(), count);
}
inline void flush() {}
inline void sleepMs(unsigned ms) { g_fakeScreen.sleeps.push_back(ms); }
inline LocalTimeOfDay now() { return g_fakeScreen.now; }
}  // namespace fake_screen_ops

inline const ScreenOps kFakeScreenOps = {
    fake_screen_ops::open,  fake_screen_ops::close, fake_screen_ops::held,
    fake_screen_ops::clear, fake_screen_ops::write, fake_screen_ops::fill,
    fake_screen_ops::flush, fake_screen_ops::sleepMs, fake_screen_ops::now,
};

// Restores the monitor's state and selects a fresh fake screen.
inline void resetMonitorWithFake() {
  g_fakeScreen = FakeScreen();
  lineMonitor() = LineMonitor();
  monitorUseScreen(&kFakeScreenOps);
}
