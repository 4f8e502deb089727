// The terminal as a screen of character cells, for the line monitor.
//
// consoleOpen takes the terminal: standard input keeps its signal keys and
// stops echoing (typed keys would scribble over the table), standard output
// stops wrapping at the right edge and hides the cursor. consoleClose puts
// back what consoleOpen found. Writes outside the screen are dropped, and
// control characters in a text are shown as '.', never sent to the terminal.
#pragma once

// False when standard output is not a terminal or its size cannot be read;
// the input side may then already be held, and consoleClose releases it.
bool consoleOpen(int* columns, int* rows);
void consoleClose();
bool consoleOutputHeld();

void consoleClear();
// Writes count characters of text at row, col (0-based), cut at the edge.
void consoleWrite(int row, int col, const char* text, int count);
// Writes count spaces at row, col.
void consoleFill(int row, int col, int count);
// Sends what was written to the terminal.
void consoleFlush();
