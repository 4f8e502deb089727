// The phrases of the WAN miniport that the line monitor follows. A text is
// matched byte for byte against constant phrase tables; the first phrase
// that matches decides, and a text that matches none changes nothing.
#include "monitor/line_model.h"

#include <cstdlib>
#include <cstring>
#include <iterator>

#include "monitor/screen.h"

namespace {

bool begins(const char* s, const char* prefix) { return std::strncmp(s, prefix, std::strlen(prefix)) == 0; }

// The text after the first character of s (the opening quote), or the end.
const char* afterOpening(const char* s) { return *s ? s + 1 : s; }
// The text two characters after a dash, or its end when the text ends sooner.
const char* twoAfter(const char* dash) { return dash[1] ? dash + 2 : dash + 1; }

// Reads the line number of "Line N ..." and returns the text from the space
// after it, or nullptr when the text names no line of the table. Every
// character counts (its value AND 0x3F) - 0x30, as the driver's numbers do.
const char* lineNumber(const char* text, int* line) {
  if (!begins(text, "Line ")) return nullptr;
  const char* p = text + 5;
  long n = 0;
  for (; *p && *p != ' '; ++p) {
    n = n * 10 + ((static_cast<unsigned char>(*p) & 0x3F) - 0x30);
    // Far outside the table a number never comes back into it.
    if (n > 1000000) n = 1000000;
    if (n < -1000000) n = -1000000;
  }
  if (*p != ' ' || n < 0 || n >= kMonitorLines) return nullptr;
  *line = static_cast<int>(n);
  return p;
}

void setState(int line, LineState state) {
  lineMonitor().lines[line].state = state;
  showState(line, state);
}

struct StateWord {
  const char* word;
  LineState state;
};

void stateFromWord(int line, const char* after, const StateWord* words, size_t count) {
  for (size_t i = 0; i < count; ++i)
    if (begins(after, words[i].word)) return setState(line, words[i].state);
}

struct OutcomeWord {
  const char* word;     // the text from the last space on
  const char* outcome;  // shown at the end of the user field
};

void userOutcome(int line, const char* after, const char* whole, const OutcomeWord* words, size_t count) {
  const char* lastSpace = std::strrchr(whole, ' ');
  if (!lastSpace) return;
  for (size_t i = 0; i < count; ++i)
    if (begins(lastSpace, words[i].word)) return showUser(line, afterOpening(after), words[i].outcome);
}

// The address between the quotes, then the service after the first dash
// behind the number and the speed after the last dash behind that.
void addressServiceSpeed(int line, const char* after) {
  const char* number = afterOpening(after);
  showAddress(line, number);
  const char* quote = std::strrchr(number, '\'');
  const char* dash = std::strchr(quote ? quote + 1 : number, '-');
  if (!dash) return;
  const char* service = twoAfter(dash);
  showService(line, service);
  const char* last = std::strrchr(service, '-');
  if (last) showSpeed(line, twoAfter(last));
}

// Handlers get the text after the phrase, the text from the space after the
// line number, and the whole text.
using PhraseAction = void (*)(int line, const char* after, const char* rest, const char* whole);

void callState(int line, const char* after, const char*, const char*) {
  static const StateWord words[] = {
      {"IDLE", LineState::kIdle}, {"CONNECTED", LineState::kConnect}, {"DISCONNECTED", LineState::kDisconn}};
  stateFromWord(line, after, words, std::size(words));
}

void shorthold(int line, const char* after, const char*, const char*) {
  static const StateWord words[] = {{"established", LineState::kShorthold},
                                    {"connection reestablished", LineState::kConnect}};
  stateFromWord(line, after, words, std::size(words));
}

void auth(int line, const char* after, const char*, const char* whole) {
  static const OutcomeWord words[] = {{" ok", " OK"}, {" failed", " FAIL"}};
  userOutcome(line, after, whole, words, std::size(words));
}

void sdAuth(int line, const char* after, const char*, const char* whole) {
  static const OutcomeWord words[] = {{" successful", " OK"}, {" rejected", " FAIL"}, {" MODE", " TOKEN"}};
  userOutcome(line, after, whole, words, std::size(words));
}

void numberCheck(int line, const char* after, const char*, const char*) {
  if (begins(after, " REJECT ")) setState(line, LineState::kReject);
}

void dialing(int line, const char* after, const char*, const char*) {
  MonitorLine& l = lineMonitor().lines[line];
  if (l.state == LineState::kShorthold) {
    setState(line, LineState::kResume);  // the call goes on: its charge too
  } else {
    setState(line, LineState::kDial);
    showCharge(line, nullptr);  // the last call's total stays in view
    l.charge = 0;
  }
  addressServiceSpeed(line, after);
}

void calledBy(int line, const char* after, const char*, const char*) {
  setState(line, LineState::kRing);
  showCharge(line, nullptr);
  addressServiceSpeed(line, after);
}

void charging(int line, const char*, const char* rest, const char*) {
  // The search starts one character past the phrase " ==> called ".
  if (std::strlen(rest) < 14) return;
  const char* dash = std::strchr(rest + 13, '-');
  if (!dash || !begins(dash + 1, " Charging ")) return;
  const char* digits = dash + 11;
  if (*digits >= '0' && *digits <= '9') showCharge(line, digits);
}

void detectX75(int line, const char*, const char*, const char*) { showService(line, "Data - X.75 -"); }
void detectV120(int line, const char*, const char*, const char*) { showService(line, "Data - V.120 -"); }

struct Phrase {
  const char* text;  // compared at the space after the line number
  PhraseAction act;
};

const Phrase kPhrases[] = {
    {" ==> LINE_CALL_STATE__", callState},
    {" ==> Shorthold ", shorthold},
    {" ==> AUTH for user ", auth},
    {" ==> SD_AUTH for ", sdAuth},
    {" ==> Numberchecking enabled,", numberCheck},
    {" ==> Dialing ", dialing},
    {" ==> Called by ", calledBy},
    {" ==> called ", charging},
    {" ==> detect X.75 ", detectX75},
    {" ==> detect V.120 ", detectV120},
};

}  // namespace

void monitorLinePhrase(const char* text) {
  int line = 0;
  const char* rest = lineNumber(text, &line);
  if (!rest) return;
  for (const Phrase& p : kPhrases) {
    if (begins(rest, p.text)) {
      p.act(line, rest + std::strlen(p.text), rest, text);
      return;
    }
  }
}

void monitorModemPhrase(const char* text) {
  static const char kConnect[] = " ==> DCD on - CONNECT ";
  int line = 0;
  const char* rest = lineNumber(text, &line);
  if (!rest || !begins(rest, kConnect)) return;
  const char* word = rest + sizeof kConnect - 1;
  showProtoWord(line, word);
  const char* space = std::strchr(word, ' ');
  if (!space) return;
  // The speed text begins four characters after the space behind the word.
  const char* speed = space;
  for (int i = 0; i < 4 && *speed; ++i) ++speed;
  showSpeed(line, speed);
}

void monitorPortCount(const char* text) {
  static const char kPortCount[] = "okaInit - PortCount = 0x";
  if (!begins(text, kPortCount)) return;
  unsigned long ports = std::strtoul(text + 22, nullptr, 0);
  // No more lines than the table holds, and no redraw when the adapter
  // repeats the count the screen was cut down from.
  int count = ports > static_cast<unsigned long>(kMonitorLines) ? kMonitorLines : static_cast<int>(ports);
  LineMonitor& m = lineMonitor();
  if (count == m.portCount) return;
  m.portCount = count;
  m.lineCount = count;
  drawFrame();
}
