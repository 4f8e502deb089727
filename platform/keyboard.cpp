#include "platform/keyboard.h"

#include <atomic>
#include <cstdlib>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

static termios g_saved;
static std::atomic<bool> g_raw{false};
static bool g_exitHook = false;

bool keyboardBegin() {
  if (g_raw) return true;
  if (!::isatty(STDIN_FILENO) || ::tcgetattr(STDIN_FILENO, &g_saved) != 0) return false;
  // A capture started in the background must not touch the terminal: the
  // change would stop it (SIGTTOU), and its keys belong to the foreground.
  if (::tcgetpgrp(STDIN_FILENO) != ::getpgrp()) return false;
  termios raw = g_saved;
  raw.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO | ISIG | IEXTEN);
  raw.c_iflag &= ~static_cast<tcflag_t>(IXON | ICRNL);
  raw.c_cc[VMIN] = 0;
  raw.c_cc[VTIME] = 0;
  if (::tcsetattr(STDIN_FILENO, TCSANOW, &raw) != 0) return false;
  g_raw = true;
  if (!g_exitHook) {
    // Every way out of the program passes exit(), so the terminal is never
    // left in raw mode by a fatal error.
    std::atexit(keyboardRestore);
    g_exitHook = true;
  }
  return true;
}

int keyboardPoll() {
  if (!g_raw) return -1;
  pollfd p{STDIN_FILENO, POLLIN, 0};
  if (::poll(&p, 1, 0) <= 0 || !(p.revents & POLLIN)) return -1;
  unsigned char c;
  if (::read(STDIN_FILENO, &c, 1) != 1) return -1;
  if (c == 27) {
    // Escape followed at once by more bytes is a key sequence (an arrow or
    // function key), which the terminal sends in one piece: not Escape.
    pollfd more{STDIN_FILENO, POLLIN, 0};
    if (::poll(&more, 1, 0) > 0 && (more.revents & POLLIN)) {
      unsigned char rest[16];
      if (::read(STDIN_FILENO, rest, sizeof rest) < 0) {}
      return -1;
    }
  }
  return c;
}

void keyboardRestore() {
  if (!g_raw.exchange(false)) return;
  ::tcsetattr(STDIN_FILENO, TCSANOW, &g_saved);
}
