// The line monitor's screen: a header row with the clock, then one row per
// line. Each field writer rewrites exactly its own field, padded with spaces.
#pragma once

#include "monitor/line_table.h"
#include "platform/filetime.h"

// The operations the screen is drawn with. The terminal provides them in a
// program run; tests substitute a character grid.
struct ScreenOps {
  bool (*open)(int* columns, int* rows);  // false: standard output is no terminal
  void (*close)();                        // puts back the modes open() found
  bool (*outputHeld)();
  void (*clear)();
  void (*write)(int row, int col, const char* text, int count);
  void (*fill)(int row, int col, int count);  // spaces
  void (*flush)();
  void (*sleepMs)(unsigned ms);
  LocalTimeOfDay (*now)();
};

extern const ScreenOps kTerminalScreen;
// Selects the screen operations; nullptr selects the terminal.
void monitorUseScreen(const ScreenOps* ops);
const ScreenOps& screenOps();

// Takes the console (or ends the program with code 1 when there is none) and
// clears the line table.
void consoleSetup();
// Clears the screen and draws the header and the number cells.
void drawFrame();
// Shows the given time, or the current local time for nullptr.
void showClock(const LocalTimeOfDay* t);

// Field writers for line `line` (0..99). Texts are zero-terminated.
void showState(int line, LineState state);
void showAddress(int line, const char* text);      // up to the last quote
void showService(int line, const char* service);   // Proto column from a service text
void showProtoWord(int line, const char* text);    // Proto column, up to the first space
void showSpeed(int line, const char* text);        // leading digits and a "k"
// With digits: adds them to the line's charge and shows them; with nullptr:
// shows the accumulated charge (blank when 0).
void showCharge(int line, const char* digits);
// The name up to its last quote, with the outcome word at the field's end.
void showUser(int line, const char* text, const char* outcome);

// The texts of the states, 10 characters each.
const char* lineStateText(LineState state);
