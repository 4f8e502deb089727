// The line monitor's screen layout and field writers.
#include "monitor/screen.h"

#include <cstdio>
#include <cstring>

#include "control/diag.h"
#include "monitor/monitor.h"
#include "trace/nametable.h"

namespace {

const ScreenOps* g_ops = &kTerminalScreen;

struct Field {
  int col;
  int width;
};
constexpr Field kNumber{0, 4};
constexpr Field kState{5, 10};
constexpr Field kAddress{15, 18};
constexpr Field kProto{33, 6};
constexpr Field kSpeed{39, 7};
constexpr Field kCharge{46, 6};
constexpr Field kUser{52, 28};
constexpr Field kClock{72, 8};

constexpr char kHeader[] = "Line   State   Connected-Address Proto Speed Charge User/Cause        ";

const char* const kStateTexts[] = {
    "   Idle   ", "   Dial   ", " Connect  ", "   Ring   ",
    " Disconn  ", "  Reject  ", "Shorthold ", "  Resume  ",
};

// A field's text: an 80-character run of spaces that a writer fills in, so
// a shorter value clears what stood there before.
struct Cells {
  char c[80];
  Cells() { std::memset(c, ' ', sizeof c); }
  // Copies at most max characters of s (stopping at its end) to position at.
  void put(int at, const char* s, size_t n, int max) {
    for (size_t i = 0; i < n && static_cast<int>(i) < max && s[i]; ++i) c[at + i] = s[i];
  }
};

void writeField(int line, Field f, const Cells& cells) { g_ops->write(line + 1, f.col, cells.c, f.width); }

bool begins(const char* s, const char* prefix) { return std::strncmp(s, prefix, std::strlen(prefix)) == 0; }

size_t leadingDigits(const char* s) {
  size_t n = 0;
  while (s[n] >= '0' && s[n] <= '9') ++n;
  return n;
}

// The Proto text of a service text: the protocol between the dashes of a
// data service, the kind of the others.
void serviceProto(const char* s, Cells& out) {
  if (begins(s, "Data")) {
    const char* dash = std::strchr(s, '-');
    if (!dash) return;
    const char* start = dash[1] ? dash + 2 : dash + 1;
    const char* next = std::strchr(start, '-');
    const char* end = next ? next : start + std::strlen(start);
    if (next && end > start && end[-1] == ' ') --end;
    out.put(0, start, static_cast<size_t>(end - start), kProto.width);
  } else if (begins(s, "Modem") || begins(s, "Voice") || begins(s, "Telex") || begins(s, "Video") ||
             begins(s, "Fax ")) {
    out.put(0, s, 5, kProto.width);
  } else if (begins(s, "BTX")) {
    out.put(0, " BTX", 4, kProto.width);
  }
}

}  // namespace

void monitorUseScreen(const ScreenOps* ops) { g_ops = ops ? ops : &kTerminalScreen; }
const ScreenOps& screenOps() { return *g_ops; }

const char* lineStateText(LineState state) {
  return nameAt(kStateTexts, static_cast<uint32_t>(state), "          ");
}

void consoleSetup() {
  LineMonitor& m = lineMonitor();
  int columns = 0, rows = 0;
  if (!g_ops->open(&columns, &rows)) {
    printDiagnostic("stdout not connected to console\n");
    terminate(1);
  }
  m.columns = columns;
  m.rows = rows;
  lineTableClear();
  m.consoleReady = true;
}

void drawFrame() {
  LineMonitor& m = lineMonitor();
  if (m.lineCount > m.rows) m.lineCount = m.rows;
  g_ops->clear();
  for (int n = m.lineCount - 1; n >= 0; --n) {
    char cell[16];
    std::snprintf(cell, sizeof cell, "%3d ", n);
    g_ops->write(n + 1, kNumber.col, cell, kNumber.width);
    g_ops->fill(n + 1, kNumber.width, m.columns - kNumber.width);
  }
  g_ops->write(0, 0, kHeader, static_cast<int>(sizeof kHeader - 1));
}

void showClock(const LocalTimeOfDay* t) {
  LocalTimeOfDay now;
  if (!t) {
    now = g_ops->now();
    t = &now;
  }
  char text[32];
  std::snprintf(text, sizeof text, "%2d:%02d:%02d", t->hour, t->minute, t->second);
  g_ops->write(0, kClock.col, text, kClock.width);
}

void showState(int line, LineState state) {
  if (state == LineState::kIdle) {
    g_ops->fill(line + 1, kState.col, lineMonitor().columns - kState.col);
    showCharge(line, nullptr);
  }
  g_ops->write(line + 1, kState.col, lineStateText(state), kState.width);
}

void showAddress(int line, const char* text) {
  const char* quote = std::strrchr(text, '\'');
  if (!quote) return;
  Cells cells;
  cells.put(0, text, static_cast<size_t>(quote - text), kAddress.width);
  writeField(line, kAddress, cells);
}

void showService(int line, const char* service) {
  Cells cells;
  serviceProto(service, cells);
  writeField(line, kProto, cells);
}

void showProtoWord(int line, const char* text) {
  Cells cells;
  cells.put(0, text, std::strcspn(text, " "), kProto.width);
  writeField(line, kProto, cells);
}

void showSpeed(int line, const char* text) {
  Cells cells;
  size_t n = leadingDigits(text);
  cells.put(0, text, n, kSpeed.width);
  if (text[n] && text[n + 1] == 'k' && static_cast<int>(n + 1) < kSpeed.width) cells.c[n + 1] = 'k';
  writeField(line, kSpeed, cells);
}

void showCharge(int line, const char* digits) {
  MonitorLine& l = lineMonitor().lines[line];
  Cells cells;
  if (digits) {
    size_t n = leadingDigits(digits);
    uint32_t units = 0;
    for (size_t i = 0; i < n; ++i) units = units * 10 + static_cast<uint32_t>(digits[i] - '0');
    l.charge += units;
    if (n <= 5) cells.put(static_cast<int>(5 - n), digits, n, 5);
  } else if (l.charge != 0) {
    char total[32];
    std::snprintf(total, sizeof total, "%5d  ", static_cast<int>(static_cast<int32_t>(l.charge)));
    cells.put(0, total, kCharge.width, kCharge.width);
  }
  writeField(line, kCharge, cells);
}

void showUser(int line, const char* text, const char* outcome) {
  const char* quote = std::strrchr(text, '\'');
  if (!quote) return;
  Cells cells;
  cells.put(0, text, static_cast<size_t>(quote - text), kUser.width);
  size_t w = std::strlen(outcome);
  if (w > static_cast<size_t>(kUser.width)) w = static_cast<size_t>(kUser.width);
  cells.put(kUser.width - static_cast<int>(w), outcome, w, static_cast<int>(w));
  writeField(line, kUser, cells);
}

void consoleRestore(int code) {
  const ScreenOps& o = *g_ops;
  if (o.outputHeld()) {
    if (code == 0 && lineMonitor().fedFromFile) {
      o.flush();
      o.sleepMs(5000);  // the final table stays in view a while after a replay
    }
    o.clear();
    o.flush();
  }
  o.close();
}
