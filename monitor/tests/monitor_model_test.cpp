// The line-state model seen through the screen: phrases in, fields out.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "monitor/line_model.h"
#include "monitor/monitor.h"
#include "monitor/tests/fake_screen.h"
#include "monitor/tests/trace_builder.h"

namespace {

struct Row {
  const char* state;
  const char* address;
  const char* proto;
  const char* speed;
  const char* charge;
  const char* user;
};

struct PhraseCase {
  const char* name;
  std::vector<std::string> texts;  // class-1 WAN texts, in order
  int line;
  Row row;  // each field padded with spaces to its width
};

std::string pad(const char* s, int width) {
  std::string t(s);
  t.resize(width, ' ');
  return t;
}

const std::string kDial3 = "Line 3 ==> Dialing '0891234567' - Data - X.75 - 64 kBit/s";

const PhraseCase kCases[] = {
    {"connected", {"Line 3 ==> LINE_CALL_STATE__CONNECTED"}, 3, {" Connect", "", "", "", "", ""}},
    {"disconnected", {"Line 3 ==> LINE_CALL_STATE__DISCONNECTED"}, 3, {" Disconn", "", "", "", "", ""}},
    {"other call state", {"Line 3 ==> LINE_CALL_STATE__DIALTONE"}, 3, {"", "", "", "", "", ""}},
    {"idle clears the row",
     {kDial3, "Line 3 ==> AUTH for user 'marlog' ok", "Line 3 ==> LINE_CALL_STATE__IDLE"},
     3, {"   Idle", "", "", "", "", ""}},
    {"shorthold", {"Line 3 ==> Shorthold established"}, 3, {"Shorthold", "", "", "", "", ""}},
    {"shorthold reestablished",
     {"Line 3 ==> Shorthold established", "Line 3 ==> Shorthold connection reestablished"},
     3, {" Connect", "", "", "", "", ""}},
    {"dialling", {kDial3}, 3, {"   Dial", "0891234567", "X.75", "64 k", "", ""}},
    {"resume from shorthold",
     {kDial3, "Line 3 ==> called '0891234567' - Charging 4 units", "Line 3 ==> Shorthold established",
      kDial3},
     3, {"  Resume", "0891234567", "X.75", "64 k", "    4", ""}},
    {"dialling shows the last total",
     {"Line 3 ==> called 'x' - Charging 5 units", "Line 3 ==> called 'x' - Charging 7 units", kDial3},
     3, {"   Dial", "0891234567", "X.75", "64 k", "   12", ""}},
    {"idle shows the total", {kDial3, "Line 3 ==> called 'x' - Charging 5 units",
      "Line 3 ==> called 'x' - Charging 7 units", "Line 3 ==> LINE_CALL_STATE__IDLE"},
     3, {"   Idle", "", "", "", "   12", ""}},
    {"dialling resets the total",
     {"Line 3 ==> called 'x' - Charging 5 units", kDial3, "Line 3 ==> LINE_CALL_STATE__IDLE"},
     3, {"   Idle", "", "", "", "", ""}},
    {"six charge digits", {"Line 3 ==> called 'x' - Charging 123456 units"}, 3, {"", "", "", "", "", ""}},
    {"six-digit total", {"Line 3 ==> called 'x' - Charging 123456 units", "Line 3 ==> LINE_CALL_STATE__IDLE"},
     3, {"   Idle", "", "", "", "123456", ""}},
    {"charge without digits", {"Line 3 ==> called 'x' - Charging units"}, 3, {"", "", "", "", "", ""}},
    {"charge without a dash", {"Line 3 ==> called 'x' Charging 5"}, 3, {"", "", "", "", "", ""}},
    {"charge phrase too short", {"Line 3 ==> called -"}, 3, {"", "", "", "", "", ""}},
    {"called by", {"Line 1 ==> Called by '0301234567' - Data - V.120 - 56 kBit/s"}, 1,
     {"   Ring", "0301234567", "V.120", "56 k", "", ""}},
    {"long number cut", {"Line 1 ==> Called by '00493012345678901234' - Modem - 9600"}, 1,
     {"   Ring", "004930123456789012", "Modem", "9600", "", ""}},
    {"dash in the number", {"Line 1 ==> Called by '030-1234' - Voice - 64 kBit/s"}, 1,
     {"   Ring", "030-1234", "Voice", "64 k", "", ""}},
    {"no last quote", {"Line 1 ==> Called by '0301234567 - Data - X.75 - 64 kBit/s"}, 1,
     {"   Ring", "", "X.75", "64 k", "", ""}},
    {"no dash", {"Line 1 ==> Called by '0301234567'"}, 1, {"   Ring", "0301234567", "", "", "", ""}},
    {"fax service", {"Line 1 ==> Called by '1' - Fax G3 - 9 kbit"}, 1, {"   Ring", "1", "Fax G", "9 k", "", ""}},
    {"btx service", {"Line 1 ==> Called by '1' - BTX - 1200"}, 1, {"   Ring", "1", " BTX", "1200", "", ""}},
    {"unknown service", {"Line 1 ==> Called by '1' - Telefax - 64 kBit/s"}, 1,
     {"   Ring", "1", "", "64 k", "", ""}},
    {"auth ok", {"Line 2 ==> AUTH for user 'marlog' ok"}, 2,
     {"", "", "", "", "", "marlog                    OK"}},
    {"auth failed", {"Line 2 ==> AUTH for user 'marlog' failed"}, 2,
     {"", "", "", "", "", "marlog                  FAIL"}},
    {"auth other outcome", {"Line 2 ==> AUTH for user 'marlog' pending"}, 2, {"", "", "", "", "", ""}},
    {"long user name", {"Line 2 ==> AUTH for user 'abcdefghijklmnopqrstuvwxyz1234' failed"}, 2,
     {"", "", "", "", "", "abcdefghijklmnopqrstuvw FAIL"}},
    {"sd auth successful", {"Line 2 ==> SD_AUTH for 'tok' successful"}, 2,
     {"", "", "", "", "", "tok                       OK"}},
    {"sd auth rejected", {"Line 2 ==> SD_AUTH for 'tok' rejected"}, 2,
     {"", "", "", "", "", "tok                     FAIL"}},
    {"sd auth token", {"Line 2 ==> SD_AUTH for 'tok' MODE"}, 2,
     {"", "", "", "", "", "tok                    TOKEN"}},
    {"sd auth without quote", {"Line 2 ==> SD_AUTH for tok successful"}, 2, {"", "", "", "", "", ""}},
    {"number check reject", {"Line 4 ==> Numberchecking enabled, REJECT '0301'"}, 4,
     {"  Reject", "", "", "", "", ""}},
    {"number check accept", {"Line 4 ==> Numberchecking enabled, ACCEPT '0301'"}, 4, {"", "", "", "", "", ""}},
    {"detect x.75", {"Line 4 ==> detect X.75 frames"}, 4, {"", "", "X.75", "", "", ""}},
    {"detect v.120", {"Line 4 ==> detect V.120 frames"}, 4, {"", "", "V.120", "", "", ""}},
    {"two-digit line", {"Line 42 ==> LINE_CALL_STATE__CONNECTED"}, 42, {" Connect", "", "", "", "", ""}},
    {"line 99", {"Line 99 ==> LINE_CALL_STATE__CONNECTED"}, 99, {" Connect", "", "", "", "", ""}},
    {"no space after the number", {"Line 3==> LINE_CALL_STATE__CONNECTED"}, 3, {"", "", "", "", "", ""}},
    {"lower-case line", {"line 3 ==> LINE_CALL_STATE__CONNECTED"}, 3, {"", "", "", "", "", ""}},
};

class MonitorModel : public ::testing::Test {
 protected:
  void SetUp() override {
    resetMonitorWithFake();
    trace = TraceBuilder();
    // All 100 lines in view.
    trace.add("okaInit - PortCount = 0x64", 9);
    feed();
  }
  // Hands the records added so far to the monitor as live data.
  void feed() {
    size_t count = trace.bytes.size();
    monitorRecords(nullptr, trace.bytes.data(), count);
    EXPECT_EQ(count, 0u);
    trace.bytes.clear();
  }
  TraceBuilder trace;
  std::string field(int line, int col, int width) { return g_fakeScreen.at(line + 1, col, width); }
};

TEST_F(MonitorModel, PhrasesToFields) {
  for (const PhraseCase& c : kCases) {
    SetUp();
    for (const std::string& text : c.texts) trace.add(text);
    feed();
    SCOPED_TRACE(c.name);
    EXPECT_EQ(field(c.line, 5, 10), pad(c.row.state, 10));
    EXPECT_EQ(field(c.line, 15, 18), pad(c.row.address, 18));
    EXPECT_EQ(field(c.line, 33, 6), pad(c.row.proto, 6));
    EXPECT_EQ(field(c.line, 39, 7), pad(c.row.speed, 7));
    EXPECT_EQ(field(c.line, 46, 6), pad(c.row.charge, 6));
    EXPECT_EQ(field(c.line, 52, 28), pad(c.row.user, 28));
  }
}

TEST_F(MonitorModel, FrameAndNumberCells) {
  feed();  // a buffer of live data shows the clock, even an empty one
  EXPECT_EQ(g_fakeScreen.at(0, 0, 72),
            "Line   State   Connected-Address Proto Speed Charge User/Cause          ");
  EXPECT_EQ(g_fakeScreen.at(0, 72, 8), "12:34:56");  // live data: the current time
  EXPECT_EQ(field(0, 0, 80), "  0 " + std::string(76, ' '));
  EXPECT_EQ(field(7, 0, 4), "  7 ");
  EXPECT_EQ(field(42, 0, 4), " 42 ");
  EXPECT_EQ(field(99, 0, 4), " 99 ");
}

TEST_F(MonitorModel, PortCountResizesTheTable) {
  trace.add("Line 20 ==> LINE_CALL_STATE__CONNECTED").add("okaInit - PortCount = 0x10", 9);
  feed();
  EXPECT_EQ(lineMonitor().lineCount, 16);
  EXPECT_EQ(field(15, 0, 80), " 15 " + std::string(76, ' '));
  EXPECT_EQ(field(16, 0, 80), std::string(80, ' '));  // the screen was cleared
  EXPECT_EQ(field(20, 0, 80), std::string(80, ' '));
  // The same count again does not clear the screen.
  int clears = g_fakeScreen.clears;
  trace.add("okaInit - PortCount = 0x10", 9);
  feed();
  EXPECT_EQ(g_fakeScreen.clears, clears);
}

TEST_F(MonitorModel, PortCountIsLimitedToTheTable) {
  trace.add("okaInit - PortCount = 0xFFFFFFFF", 9);
  feed();
  EXPECT_EQ(lineMonitor().lineCount, kMonitorLines);
}

TEST_F(MonitorModel, LinesOutsideTheTableAreIgnored) {
  LineMonitor before = lineMonitor();
  auto grid = g_fakeScreen.grid;
  trace.add("Line 150 ==> LINE_CALL_STATE__CONNECTED")
      .add("Line 100 ==> LINE_CALL_STATE__CONNECTED")
      .add("Line 1A ==> LINE_CALL_STATE__CONNECTED")  // 'A' counts 0x01 - 0x30
      .add("Line 1 2 ==> LINE_CALL_STATE__CONNECTED")
      .add("Line ");
  feed();
  for (int row = 1; row < FakeScreen::kRows; ++row) EXPECT_EQ(g_fakeScreen.grid[row], grid[row]) << row;
  for (int n = 0; n < kMonitorLines; ++n) EXPECT_EQ(lineMonitor().lines[n].state, before.lines[n].state);
}

TEST_F(MonitorModel, ModemConnect) {
  trace.add("Line 5 ==> DCD on - CONNECT V.34 at 28800 bps", 19)
      .add("Line 6 ==> DCD on - CONNECT V.90", 19)
      .add("Line 7 ==> DCD on - CONNECT LAPM x", 19)
      .add("Line 8 ==> DCD on - CONNECTED V.34 at 28800", 19);
  feed();
  EXPECT_EQ(field(5, 33, 13), "V.34  28800  ");
  EXPECT_EQ(field(6, 33, 13), "V.90         ");  // no space: no speed written
  EXPECT_EQ(field(7, 33, 13), "LAPM         ");  // the speed text ends early
  EXPECT_EQ(field(8, 33, 13), std::string(13, ' '));
  EXPECT_EQ(lineMonitor().lines[5].state, LineState::kIdle);  // a modem connect sets no state
}

TEST_F(MonitorModel, OnlyWanTextsOfTheirClassesAct) {
  trace.add("Line 3 ==> LINE_CALL_STATE__CONNECTED", 1, kMsgText)
      .add("Line 3 ==> LINE_CALL_STATE__CONNECTED", 1, kMsgFlags)
      .add("Line 3 ==> LINE_CALL_STATE__CONNECTED", 1, kMsgBinary)
      .add("Line 3 ==> LINE_CALL_STATE__CONNECTED", 2)
      .add("Line 3 ==> DCD on - CONNECT V.34 at 1", 1)
      .add("okaInit - PortCount = 0x5", 1)
      .add("Line 3 ==> Shorthold established", 19);
  feed();
  EXPECT_EQ(field(3, 5, 47), std::string(47, ' '));
  EXPECT_EQ(lineMonitor().lineCount, kMonitorLines);
}

TEST_F(MonitorModel, UndecodableCharactersStayInTheirField) {
  trace.add(std::string("Line 3 ==> Dialing '089\x1b[2J\t12345' - Data - X.75 - 64 kBit/s"));
  feed();
  // The field holds the bytes as they are; the terminal layer shows them
  // as dots. What matters here is that nothing spills out of the field.
  EXPECT_EQ(field(3, 15, 18), std::string("089\x1b[2J\t12345", 13) + "     ");
  EXPECT_EQ(field(3, 33, 6), "X.75  ");
}

}  // namespace
