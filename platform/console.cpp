// Terminal screen operations over ANSI/VT100 sequences and termios.
#include "platform/console.h"

#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

namespace {

struct ConsoleState {
  bool inputHeld = false;
  termios inputMode{};
  bool outputHeld = false;
  int columns = 0;
  int rows = 0;
};
ConsoleState g_console;

void put(const char* s, size_t n) { std::fwrite(s, 1, n, stdout); }
void put(const char* s) { put(s, std::strlen(s)); }

// Clips a run at row, col to the screen; false when nothing of it is visible.
bool clip(int row, int col, int& count) {
  if (row < 0 || col < 0 || row >= g_console.rows || col >= g_console.columns || count <= 0)
    return false;
  if (count > g_console.columns - col) count = g_console.columns - col;
  return true;
}

void moveTo(int row, int col) {
  char seq[32];
  int n = std::snprintf(seq, sizeof seq, "\x1b[%d;%dH", row + 1, col + 1);
  put(seq, static_cast<size_t>(n));
}

}  // namespace

bool consoleOpen(int* columns, int* rows) {
  termios mode;
  if (!g_console.inputHeld && tcgetattr(STDIN_FILENO, &mode) == 0) {
    g_console.inputMode = mode;
    mode.c_lflag |= ISIG;   // Ctrl+C still ends the program
    mode.c_lflag &= ~ECHO;  // keys typed meanwhile would scribble over the table
    if (tcsetattr(STDIN_FILENO, TCSANOW, &mode) == 0) g_console.inputHeld = true;
  }
  if (!isatty(STDOUT_FILENO)) return false;
  winsize ws;
  if (ioctl(STDOUT_FILENO, TIOCGWINSZ, &ws) != 0) return false;
  // A terminal that reports no size (some serial lines) gets the classic one.
  g_console.columns = ws.ws_col ? ws.ws_col : 80;
  g_console.rows = ws.ws_row ? ws.ws_row : 25;
  g_console.outputHeld = true;
  put("\x1b[?7l\x1b[?25l");  // no wrap at the right edge, no cursor
  *columns = g_console.columns;
  *rows = g_console.rows;
  return true;
}

bool consoleOutputHeld() { return g_console.outputHeld; }

void consoleClose() {
  if (g_console.outputHeld) {
    put("\x1b[?25h\x1b[?7h");
    std::fflush(stdout);
    g_console.outputHeld = false;
  }
  if (g_console.inputHeld) {
    tcsetattr(STDIN_FILENO, TCSANOW, &g_console.inputMode);
    g_console.inputHeld = false;
  }
}

void consoleClear() {
  if (g_console.outputHeld) put("\x1b[H\x1b[2J");
}

void consoleWrite(int row, int col, const char* text, int count) {
  if (!g_console.outputHeld || !clip(row, col, count)) return;
  moveTo(row, col);
  char cells[512];
  for (int done = 0; done < count;) {
    int n = count - done < static_cast<int>(sizeof cells) ? count - done : static_cast<int>(sizeof cells);
    for (int i = 0; i < n; ++i) {
      auto c = static_cast<unsigned char>(text[done + i]);
      cells[i] = (c >= 0x20 && c < 0x7F) ? static_cast<char>(c) : '.';
    }
    put(cells, static_cast<size_t>(n));
    done += n;
  }
}

void consoleFill(int row, int col, int count) {
  if (!g_console.outputHeld || !clip(row, col, count)) return;
  moveTo(row, col);
  char spaces[64];
  std::memset(spaces, ' ', sizeof spaces);
  for (int left = count; left > 0; left -= 64) put(spaces, static_cast<size_t>(left < 64 ? left : 64));
}

void consoleFlush() {
  if (g_console.outputHeld) std::fflush(stdout);
}
