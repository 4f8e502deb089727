// The monitor's record consumer: framing, sequence check, replay pacing,
// console set-up and restore.
#include <gtest/gtest.h>

#include <csetjmp>
#include <cstdio>
#include <string>
#include <unistd.h>

#include "control/diag.h"
#include "monitor/monitor.h"
#include "monitor/tests/fake_screen.h"
#include "monitor/tests/trace_builder.h"

namespace {

std::jmp_buf g_jump;
int g_exitCode = -1;
[[noreturn]] void jumpBack(int code) {
  g_exitCode = code;
  std::longjmp(g_jump, 1);
}

// Collects what is written to file descriptor 2 meanwhile.
struct StderrCapture {
  FILE* file = std::tmpfile();
  int saved = dup(2);
  StderrCapture() { dup2(fileno(file), 2); }
  std::string text() {
    dup2(saved, 2);
    std::string s;
    std::rewind(file);
    for (int c; (c = std::fgetc(file)) != EOF;) s += static_cast<char>(c);
    return s;
  }
  ~StderrCapture() {
    dup2(saved, 2);
    close(saved);
    std::fclose(file);
  }
};

class MonitorRecords : public ::testing::Test {
 protected:
  void SetUp() override {
    resetMonitorWithFake();
    g_exitCode = -1;
    setTerminateHook(jumpBack);
  }
  void TearDown() override {
    setTerminateHook(nullptr);
    monitorUseScreen(nullptr);
  }
  // Feeds the records; returns the exit code if the monitor ended the
  // program, else -1.
  int feed(const char* file = nullptr) {
    count = trace.bytes.size();
    if (setjmp(g_jump) == 0) monitorRecords(file, trace.bytes.data(), count);
    return g_exitCode;
  }
  std::string state(int line) { return g_fakeScreen.at(line + 1, 5, 10); }

  TraceBuilder trace;
  size_t count = 0;
};

TEST_F(MonitorRecords, SequenceBelowTheExpectedIsDropped) {
  trace.add("Line 1 ==> LINE_CALL_STATE__CONNECTED", 1, kMsgWan, 10)
      .add("Line 2 ==> LINE_CALL_STATE__CONNECTED", 1, kMsgWan, 9)  // dropped
      .add("Line 3 ==> LINE_CALL_STATE__CONNECTED", 1, kMsgWan, 10)  // not below: taken
      .add("Line 4 ==> LINE_CALL_STATE__CONNECTED", 1, kMsgWan, 10)  // now below the expected 11
      .add("Line 5 ==> LINE_CALL_STATE__CONNECTED", 1, kMsgWan, 11);
  EXPECT_EQ(feed(), -1);
  EXPECT_EQ(state(1), " Connect  ");
  EXPECT_EQ(state(2), std::string(10, ' '));
  EXPECT_EQ(state(3), " Connect  ");
  EXPECT_EQ(state(4), std::string(10, ' '));
  EXPECT_EQ(state(5), " Connect  ");
  EXPECT_EQ(lineMonitor().expectedSequence, 12u);
}

TEST_F(MonitorRecords, TextAndFlagRecordsNeitherActNorCountInTheCheck) {
  trace.add("Line 1 ==> LINE_CALL_STATE__CONNECTED", 1, kMsgText, 50)
      .add("Line 1 ==> LINE_CALL_STATE__CONNECTED", 1, kMsgFlags, 60)
      .add("Line 2 ==> LINE_CALL_STATE__CONNECTED", 1, kMsgWan, 5)
      .add("", 1, kMsgBinary, 70)  // binary records count in the check
      .add("Line 3 ==> LINE_CALL_STATE__CONNECTED", 1, kMsgWan, 69);
  EXPECT_EQ(feed(), -1);
  EXPECT_EQ(state(1), std::string(10, ' '));
  EXPECT_EQ(state(2), " Connect  ");
  EXPECT_EQ(state(3), std::string(10, ' '));
  EXPECT_EQ(lineMonitor().expectedSequence, 70u);
}

TEST_F(MonitorRecords, BadDriverClassIsReportedAndSkipped) {
  trace.add("Line 1 ==> LINE_CALL_STATE__CONNECTED", 0)
      .add("Line 2 ==> LINE_CALL_STATE__CONNECTED", 33)
      .add("Line 3 ==> LINE_CALL_STATE__CONNECTED", 1);
  StderrCapture err;
  EXPECT_EQ(feed(), -1);
  EXPECT_EQ(err.text(),
            "Marlog: corrupted input, msgType 0003\n"
            "Marlog: corrupted input, msgType 2103\n");
  EXPECT_EQ(state(1), std::string(10, ' '));
  EXPECT_EQ(state(3), " Connect  ");
  // The skipped records did not move the sequence check.
  EXPECT_EQ(lineMonitor().expectedSequence, 3u);
}

TEST_F(MonitorRecords, OldFormRecordEndsTheProgram) {
  trace.add("Line 1 ==> LINE_CALL_STATE__CONNECTED");
  trace.bytes[10] = 0x12;  // no format marker
  StderrCapture err;
  EXPECT_EQ(feed(), 1);
  EXPECT_EQ(err.text(), "Marlog: cannot accept old style debug messages\n");
}

TEST_F(MonitorRecords, OversizedRecordEndsTheProgram) {
  trace.add("Line 1 ==> LINE_CALL_STATE__CONNECTED");
  trace.bytes[8] = 0x69;  // payload length 2153: record length 2176
  trace.bytes[9] = 0x08;
  StderrCapture err;
  EXPECT_EQ(feed(), 1);
  EXPECT_EQ(err.text(), "Marlog: corrupted input, size 2176\n");
}

TEST_F(MonitorRecords, LargestRecordIsTaken) {
  std::string text = "Line 1 ==> LINE_CALL_STATE__CONNECTED";
  text.resize(kMaxPayload - 1, ' ');
  trace.add(text);
  EXPECT_EQ(feed(), -1);
  EXPECT_EQ(count, 0u);
  EXPECT_EQ(state(1), " Connect  ");
}

TEST_F(MonitorRecords, PartialRecordIsKeptAtTheStart) {
  trace.add("Line 1 ==> LINE_CALL_STATE__CONNECTED").add("Line 2 ==> LINE_CALL_STATE__CONNECTED");
  size_t first = recordLength(38);
  std::vector<uint8_t> second(trace.bytes.begin() + first, trace.bytes.end());
  trace.bytes.resize(trace.bytes.size() - 3);
  EXPECT_EQ(feed(), -1);
  EXPECT_EQ(count, second.size() - 3);
  EXPECT_TRUE(std::equal(trace.bytes.begin(), trace.bytes.begin() + count, second.begin()));
  EXPECT_EQ(state(1), " Connect  ");
  EXPECT_EQ(state(2), std::string(10, ' '));
}

TEST_F(MonitorRecords, ShortBufferIsLeftAlone) {
  trace.bytes.assign(19, 0xAB);
  EXPECT_EQ(feed(), -1);
  EXPECT_EQ(count, 19u);
}

TEST_F(MonitorRecords, PayloadWithoutZeroEndsAtItsLength) {
  trace.add("Line 1 ==> LINE_CALL_STATE__ID");
  // No zero byte: the payload ends after "ID"; the padding behind it reads
  // "LE" and must not be taken for part of the text.
  ASSERT_EQ(trace.bytes.size(), kRecordHeaderSize + 32);
  trace.bytes[8] = 30;
  trace.bytes[kRecordHeaderSize + 30] = 'L';
  trace.bytes[kRecordHeaderSize + 31] = 'E';
  EXPECT_EQ(feed(), -1);
  EXPECT_EQ(count, 0u);
  EXPECT_EQ(state(1), std::string(10, ' '));
}

TEST_F(MonitorRecords, ReplayIsPacedByTheTimeStamps) {
  const char* text = "Line 1 ==> LINE_CALL_STATE__CONNECTED";
  trace.add(text, 1, kMsgWan, 0, fileTimeAt(10, 0, 0, 0))
      .add(text, 1, kMsgWan, 0, fileTimeAt(10, 0, 0, 50))    // 50 ms: no pause
      .add(text, 1, kMsgWan, 0, fileTimeAt(10, 0, 0, 150))   // exactly 100 ms: no pause
      .add(text, 1, kMsgWan, 0, fileTimeAt(10, 0, 0, 251))   // 101 ms
      .add(text, 1, kMsgWan, 0, fileTimeAt(10, 0, 10, 251))  // 10 s, cut to 2 s
      .add(text, 1, kMsgWan, 0, fileTimeAt(9, 0, 0, 0))      // earlier: no pause
      .add(text, 9, kMsgWan, 0, fileTimeAt(11, 0, 0, 0))     // not class 1: no pacing
      .add(text, 1, kMsgWan, 0)                              // millisecond form: none
      .add(text, 1, kMsgWan, 0, fileTimeAt(9, 0, 1, 500));
  EXPECT_EQ(feed("replay.3"), -1);
  EXPECT_EQ(g_fakeScreen.sleeps, (std::vector<unsigned>{101, 2000, 1500}));
  EXPECT_EQ(g_fakeScreen.at(0, 72, 8), " 9:00:01");
}

TEST_F(MonitorRecords, LiveDataIsNotPacedAndShowsTheCurrentTime) {
  trace.add("Line 1 ==> LINE_CALL_STATE__CONNECTED", 1, kMsgWan, 0, fileTimeAt(10, 0, 0))
      .add("Line 1 ==> LINE_CALL_STATE__CONNECTED", 1, kMsgWan, 0, fileTimeAt(10, 0, 5));
  trace.bytes.resize(trace.bytes.size() - 4);  // the second one is not complete yet
  EXPECT_EQ(feed(), -1);
  EXPECT_TRUE(g_fakeScreen.sleeps.empty());
  EXPECT_EQ(g_fakeScreen.at(0, 72, 8), "10:00:00");  // the record's time
  trace.bytes.clear();
  EXPECT_EQ(feed(), -1);
  EXPECT_EQ(g_fakeScreen.at(0, 72, 8), "12:34:56");  // the current time
}

TEST_F(MonitorRecords, NoTerminalEndsTheProgramWithoutOutput) {
  g_fakeScreen.terminal = false;
  trace.add("Line 1 ==> LINE_CALL_STATE__CONNECTED");
  StderrCapture err;
  EXPECT_EQ(feed(), 1);
  EXPECT_EQ(err.text(), "Marlog: stdout not connected to console\n");
  EXPECT_EQ(g_fakeScreen.clears, 0);
  EXPECT_EQ(g_fakeScreen.grid[0], std::string(80, '#'));
}

TEST_F(MonitorRecords, ConsoleIsSetUpOnce) {
  trace.add("Line 1 ==> LINE_CALL_STATE__CONNECTED");
  EXPECT_EQ(feed(), -1);
  trace.bytes.clear();
  trace.add("Line 2 ==> LINE_CALL_STATE__CONNECTED");
  EXPECT_EQ(feed(), -1);
  EXPECT_EQ(g_fakeScreen.opens, 1);
  EXPECT_EQ(g_fakeScreen.clears, 1);
  EXPECT_EQ(state(1), " Connect  ");
  EXPECT_EQ(state(2), " Connect  ");
}

TEST_F(MonitorRecords, RestoreAfterAReplayKeepsTheTableInViewAWhile) {
  trace.add("Line 1 ==> LINE_CALL_STATE__CONNECTED");
  EXPECT_EQ(feed("replay.3"), -1);
  consoleRestore(0);
  EXPECT_EQ(g_fakeScreen.sleeps, (std::vector<unsigned>{5000}));
  EXPECT_EQ(g_fakeScreen.clears, 2);
  EXPECT_EQ(g_fakeScreen.closes, 1);
  EXPECT_FALSE(g_fakeScreen.held);
}

TEST_F(MonitorRecords, RestoreWithoutWaiting) {
  struct {
    const char* file;
    int code;
  } cases[] = {{"replay.3", 1}, {"replay.3", 2}, {nullptr, 0}};
  for (const auto& c : cases) {
    resetMonitorWithFake();
    trace = TraceBuilder();
    trace.add("Line 1 ==> LINE_CALL_STATE__CONNECTED");
    EXPECT_EQ(feed(c.file), -1);
    consoleRestore(c.code);
    EXPECT_TRUE(g_fakeScreen.sleeps.empty()) << c.code;
    EXPECT_EQ(g_fakeScreen.clears, 2);
    EXPECT_EQ(g_fakeScreen.closes, 1);
  }
}

TEST_F(MonitorRecords, RestoreWithoutTheConsoleOnlyReleasesInput) {
  consoleRestore(0);
  EXPECT_EQ(g_fakeScreen.clears, 0);
  EXPECT_EQ(g_fakeScreen.closes, 1);
  EXPECT_TRUE(g_fakeScreen.sleeps.empty());
}

}  // namespace
