// The capture loop against an in-test driver that keeps copy requests
// pending and answers them on flushes or from a feeder.
#include <gtest/gtest.h>

#include <atomic>

#include "control/settings.h"
#include "driver/capture.h"
#include "driver/tests/fake_driver.h"
#include "platform/syserror.h"

namespace {

struct CaptureDriver {
  std::mutex mutex;
  std::vector<uint32_t> copies;  // tags of pending copy requests
  uint32_t nextSeq = 1;
  std::atomic<int> flushes{0};
  bool flushAnswers = true;  // a flush completes the pending copies with one record
  uint32_t noResources = 0;  // the first copies answered with no-resources

  void handle(fake::Server& s, const fake::Request& r) {
    if (r.word(0) == kDbgFlushLogs) {
      ++flushes;
      s.reply(r.tag, 0, {});
      if (flushAnswers) answerOne(s, 1);
      return;
    }
    std::lock_guard<std::mutex> lock(mutex);
    if (noResources > 0) {
      --noResources;
      s.reply(r.tag, kErrorNoSystemResources, {});
      return;
    }
    copies.push_back(r.tag);
  }
  // Answers the oldest pending copy with n records; false when none pends.
  bool answerOne(fake::Server& s, int n) {
    std::lock_guard<std::mutex> lock(mutex);
    if (copies.empty()) return false;
    std::vector<uint8_t> out;
    for (int i = 0; i < n; ++i) {
      auto rec = fake::textRecord(1, "record " + std::to_string(nextSeq), nextSeq);
      ++nextSeq;
      out.insert(out.end(), rec.begin(), rec.end());
    }
    s.reply(copies.front(), 0, out);
    copies.erase(copies.begin());
    return true;
  }
  size_t pending() {
    std::lock_guard<std::mutex> lock(mutex);
    return copies.size();
  }
};

// Sequence numbers of the records in raw bytes, and whether they are whole.
std::vector<uint32_t> sequences(const std::string& raw, bool* whole = nullptr) {
  std::vector<uint32_t> out;
  size_t at = 0;
  while (raw.size() - at >= kRecordHeaderSize) {
    DebugRecord r = recordFromBytes(reinterpret_cast<const uint8_t*>(raw.data() + at));
    size_t len = recordLength(r.length);
    if (len > raw.size() - at) break;
    out.push_back(r.sequence);
    at += len;
  }
  if (whole) *whole = at == raw.size();
  return out;
}

struct Capture : ::testing::Test {
  std::string dir, base;
  void SetUp() override {
    g_settings = Settings{};
    g_settings.bufferSize = 0x8000;
    g_settings.period = 100;
    char tmpl[] = "/tmp/marlog-cap-XXXXXX";
    dir = mkdtemp(tmpl);
    base = dir + "/cap";
  }
  void TearDown() override {
    std::string cmd = "rm -rf '" + dir + "'";
    if (system(cmd.c_str()) != 0) {}
  }
  int capture(bool raw) {
    if (raw) g_settings.rawOutputFile = base.c_str();
    return fake::runProgram([&] {
      openDevice(g_settings.deviceName);
      if (raw) {
        ASSERT_TRUE(rawFileOpen(true));
      }
      captureLoop();
    });
  }
  static void waitFor(const std::function<bool()>& cond) {
    for (int i = 0; i < 300 && !cond(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
};

TEST_F(Capture, ExtraRequestsArePrimedAndLostDriverEndsTheCapture) {
  CaptureDriver drv;
  fake::Server server([&](fake::Server& s, const fake::Request& r) { drv.handle(s, r); });
  drv.flushAnswers = false;
  g_settings.extraCopies = 3;
  g_settings.copyThreshold = 4096;
  std::thread killer([&] {
    waitFor([&] { return drv.pending() >= 4; });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    server.drop();
  });
  fake::CapturedStderr err;
  EXPECT_EQ(capture(false), 1);
  killer.join();
  auto seen = server.requests();
  ASSERT_GE(seen.size(), 4u);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(seen[i].word(0), uint32_t(kDbgCopyLogs));
    EXPECT_EQ(seen[i].word(1), 4096u);  // threshold
    EXPECT_EQ(seen[i].word(2), 100u);   // period
    EXPECT_EQ(seen[i].capacity, 0x8000u);
  }
  EXPECT_EQ(drv.pending(), 4u);  // no more than the primed four
  EXPECT_NE(err.text().find("Marlog: GetOverlappedResult() ==> 109\n"), std::string::npos);
}

TEST_F(Capture, IdlePeriodsAskForAFlush) {
  CaptureDriver drv;
  drv.flushAnswers = false;
  fake::Server server([&](fake::Server& s, const fake::Request& r) { drv.handle(s, r); });
  std::thread killer([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(550));
    server.drop();
  });
  fake::CapturedStderr err;
  EXPECT_EQ(capture(false), 1);
  killer.join();
  EXPECT_GE(drv.flushes.load(), 4);
  EXPECT_LE(drv.flushes.load(), 6);
}

TEST_F(Capture, RawCaptureStoresEveryRecordInOrderUntilTheDriverDies) {
  CaptureDriver drv;
  fake::Server server([&](fake::Server& s, const fake::Request& r) { drv.handle(s, r); });
  drv.flushAnswers = false;
  g_settings.extraCopies = 2;
  g_settings.period = 2000;
  g_settings.wrapLimit = 6000;
  std::thread feeder([&] {
    for (int sent = 0; sent < 150;) {
      if (drv.answerOne(server, 10 + sent % 7))
        ++sent;
      else
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    server.drop();
  });
  fake::CapturedStderr err;
  EXPECT_EQ(capture(true), 1);
  feeder.join();
  // The generations together hold an unbroken run up to the newest record.
  std::vector<uint32_t> all;
  for (int d = 0; d < 4; ++d) {
    std::string raw = fake::readFile(base + "." + std::to_string(d));
    ASSERT_NE(raw, "<missing>") << d;
    bool whole = false;
    auto seqs = sequences(raw, &whole);
    EXPECT_TRUE(whole) << d;
    if (d < 3) {
      EXPECT_GE(raw.size(), 6000u) << d;
    }
    all.insert(all.end(), seqs.begin(), seqs.end());
  }
  ASSERT_FALSE(all.empty());
  EXPECT_EQ(all.back(), drv.nextSeq - 1);
  for (size_t i = 1; i < all.size(); ++i) ASSERT_EQ(all[i], all[i - 1] + 1) << i;
  EXPECT_GT(all.front(), 1u);  // the oldest data was rotated out
  EXPECT_EQ(err.text(), "Marlog: GetOverlappedResult() ==> 109\n");
}

TEST_F(Capture, NoResourcesIsAnEmptyReply) {
  CaptureDriver drv;
  drv.noResources = 2;
  fake::Server server([&](fake::Server& s, const fake::Request& r) { drv.handle(s, r); });
  std::thread feeder([&] {
    waitFor([&] { return drv.pending() >= 1; });
    drv.answerOne(server, 3);
    waitFor([&] { return drv.pending() >= 1; });
    server.drop();
  });
  fake::CapturedStderr err;
  EXPECT_EQ(capture(true), 1);
  feeder.join();
  EXPECT_EQ(sequences(fake::readFile(base + ".3")), (std::vector<uint32_t>{1, 2, 3}));
  EXPECT_EQ(err.text(),
            "Marlog: ioctl(DBG_COPY_LOGS) ==> ERROR_NO_SYSTEM_RESOURCES\n"
            "Marlog: ioctl(DBG_COPY_LOGS) ==> ERROR_NO_SYSTEM_RESOURCES\n"
            "Marlog: GetOverlappedResult() ==> 109\n");
}

TEST_F(Capture, PrimingFailureEndsWithCodeOne) {
  CaptureDriver drv;
  fake::Server server([&](fake::Server& s, const fake::Request& r) { drv.handle(s, r); });
  fake::CapturedStderr err;
  int code = fake::runProgram([&] {
    openDevice(g_settings.deviceName);
    g_settings.period = 0;
    startFlush();  // answered: the connection stands
    waitFor([&] { return drv.flushes.load() == 1; });
    server.drop();
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    queReleaseAll();
    captureLoop();
  });
  EXPECT_EQ(code, 1);
  EXPECT_NE(err.text().find("Marlog: ioctl(DBG_COPY_LOGS) ==> 109\n"), std::string::npos);
}

}  // namespace
