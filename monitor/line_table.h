// The monitor's line table and the state it keeps for the whole run.
#pragma once

#include <cstdint>

constexpr int kMonitorLines = 100;      // lines 0..99
constexpr int kDefaultLineCount = 30;   // shown until the adapter reports its ports

enum class LineState : uint8_t { kIdle, kDial, kConnect, kRing, kDisconn, kReject, kShorthold, kResume };

struct MonitorLine {
  int number = 0;
  LineState state = LineState::kIdle;
  uint32_t charge = 0;  // units accumulated since the last outgoing call
};

struct LineMonitor {
  MonitorLine lines[kMonitorLines];
  int lineCount = kDefaultLineCount;  // rows shown, at most the screen's height
  int portCount = kDefaultLineCount;  // the count last asked for by the adapter
  uint32_t expectedSequence = 0;      // the monitor's own check, apart from the interpreter's
  bool fedFromFile = false;
  long previousReplayMs = 0;          // ms since midnight of the last paced record
  bool consoleReady = false;
  int columns = 0;                    // screen size as read at set-up
  int rows = 0;
};

LineMonitor& lineMonitor();

// Clears the line table: every line idle with no charge.
void lineTableClear();
