// The one-shot commands against an in-test driver.
#include <gtest/gtest.h>

#include "control/settings.h"
#include "driver/tests/fake_driver.h"
#include "platform/syserror.h"

namespace {

std::vector<uint8_t> driverList() {
  std::vector<uint8_t> out;
  // A non-text record first, with a matching text, must not count.
  for (auto rec : {fake::textRecord(9, "CAPI20: flags", 1, 0x0102), fake::textRecord(3, "QVCAPI: 1.0", 2),
                   fake::textRecord(5, "CAPI20: 2.0", 3), fake::textRecord(7, "QVWAN: 3.0", 4)})
    out.insert(out.end(), rec.begin(), rec.end());
  return out;
}

// Drivers 3, 5 and 7 are registered.
void answer(fake::Server& s, const fake::Request& r) {
  uint32_t id = r.word(1);
  switch (r.word(0)) {
    case kDbgListDrvs: s.reply(r.tag, 0, driverList()); break;
    case kDbgGetMask:
      if (id == 3 || id == 5 || id == 7)
        s.reply(r.tag, 0, fake::textRecord(uint16_t(id), "mask", 9, 0x0102));
      else
        s.reply(r.tag, kErrorInvalidParameter, {});
      break;
    case kDbgSetMask: s.reply(r.tag, id == 5 ? 0 : kErrorInvalidParameter, {}); break;
    case kDbgCopyLogs: s.reply(r.tag, 0, fake::textRecord(1, "buffer", 10)); break;
    default: s.reply(r.tag, kErrorInvalidParameter, {});
  }
}

struct Commands : ::testing::Test {
  std::string dir, base;
  void SetUp() override {
    g_settings = Settings{};
    char tmpl[] = "/tmp/marlog-cmd-XXXXXX";
    dir = mkdtemp(tmpl);
    base = dir + "/raw";
  }
  void TearDown() override {
    std::string cmd = "rm -rf '" + dir + "'";
    if (system(cmd.c_str()) != 0) {}
  }
  // Runs f against the driver with the raw file open; the file's bytes.
  std::string stored(fake::Server&, const std::function<void()>& f, int expectCode = -1) {
    g_settings.rawOutputFile = base.c_str();
    int code = fake::runProgram([&] {
      openDevice(g_settings.deviceName);
      ASSERT_TRUE(rawFileOpen(true));
      f();
    });
    EXPECT_EQ(code, expectCode);
    return fake::readFile(base + ".3");
  }
};

TEST_F(Commands, ListAndMaskFollowEachOtherInTheRawFile) {
  fake::Server server(answer);
  g_settings.driverId = 5;
  std::string raw = stored(server, [] {
    listDrivers();
    maskCommand();
  });
  std::vector<uint8_t> expected = driverList();
  auto mask = fake::textRecord(5, "mask", 9, 0x0102);
  expected.insert(expected.end(), mask.begin(), mask.end());
  EXPECT_EQ(raw, std::string(expected.begin(), expected.end()));
  auto seen = server.requests();
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].capacity, 4096u);
  EXPECT_EQ(seen[1].word(0), uint32_t(kDbgGetMask));
  EXPECT_EQ(seen[1].word(1), 5u);
  EXPECT_EQ(seen[1].word(2), 0xFFFFFFFFu);
}

TEST_F(Commands, SetMaskSendsBitsZeroAndOneAndEnds) {
  fake::Server server(answer);
  g_settings.driverId = 5;
  g_settings.debugMask = 0x10;
  fake::CapturedStderr err;
  EXPECT_EQ(stored(server, [] { maskCommand(); }, 0), "");
  auto seen = server.requests();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].word(0), uint32_t(kDbgSetMask));
  EXPECT_EQ(seen[0].word(1), 5u);
  EXPECT_EQ(seen[0].word(2), 0x13u);
  EXPECT_EQ(err.text(), "");
}

TEST_F(Commands, Failures) {
  struct Case {
    const char* name;
    uint16_t driver;
    uint32_t mask;
    std::function<void(fake::Server&, const fake::Request&)> answer;
    void (*command)();
    const char* message;
  };
  auto empty = [](fake::Server& s, const fake::Request& r) { s.reply(r.tag, 0, std::vector<uint8_t>(20, 0)); };
  auto reject = [](fake::Server& s, const fake::Request& r) { s.reply(r.tag, kErrorInvalidParameter, {}); };
  const Case cases[] = {
      {"get unregistered", 4, kMaskGet, answer, maskCommand, "Marlog: driver <4> not registered\n"},
      {"set unregistered", 4, 0x10, answer, maskCommand, "Marlog: driver <4> not registered\n"},
      {"get short", 5, kMaskGet, empty, maskCommand, "Marlog: driver <5> I/O error, get 20 bytes\n"},
      {"list rejected", kNoDriver, kMaskGet, reject, listDrivers, "Marlog: no drivers registered !\n"},
      {"list short", kNoDriver, kMaskGet, empty, listDrivers, "Marlog: no drivers registered !\n"},
      {"copy rejected", kNoDriver, kMaskGet, reject, oneShotCopy, "Marlog: debug buffer empty !\n"},
      {"copy short", kNoDriver, kMaskGet, empty, oneShotCopy, "Marlog: debug buffer empty !\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fake::Server server(c.answer);
    g_settings.driverId = c.driver;
    g_settings.debugMask = c.mask;
    fake::CapturedStderr err;
    EXPECT_EQ(stored(server, c.command, 1), "");
    EXPECT_EQ(err.text(), c.message);
  }
}

TEST_F(Commands, MaskWithoutDriverDoesNothing) {
  fake::Server server(answer);
  g_settings.debugMask = 0x10;
  EXPECT_EQ(stored(server, [] { maskCommand(); }), "");
  EXPECT_TRUE(server.requests().empty());
}

TEST_F(Commands, OneShotCopyAsksForTheWholeBuffer) {
  fake::Server server(answer);
  g_settings.bufferSize = 0x8000;
  auto rec = fake::textRecord(1, "buffer", 10);
  EXPECT_EQ(stored(server, [] { oneShotCopy(); }), std::string(rec.begin(), rec.end()));
  auto seen = server.requests();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].capacity, 0x8000u);
  EXPECT_EQ(seen[0].word(1), 0u);
  EXPECT_EQ(seen[0].word(2), 0u);
}

TEST_F(Commands, IncompleteLastRecordIsReportedAndStoredRaw) {
  auto rec = fake::textRecord(1, "whole", 10);
  std::vector<uint8_t> reply = rec;
  reply.insert(reply.end(), rec.begin(), rec.begin() + 10);
  fake::Server server([&](fake::Server& s, const fake::Request& r) { s.reply(r.tag, 0, reply); });
  {
    fake::CapturedStderr err;
    EXPECT_EQ(fake::runProgram([] {
                openDevice(g_settings.deviceName);
                oneShotCopy();
              }),
              -1);
    EXPECT_EQ(err.text(), "Marlog: reply ends in an incomplete record, 10 bytes not shown\n");
  }
  fflush(stdout);
  // Stored raw, nothing is dropped.
  EXPECT_EQ(stored(server, [] { oneShotCopy(); }), std::string(reply.begin(), reply.end()));
}

TEST_F(Commands, LookupByName) {
  fake::Server server(answer);
  int code = fake::runProgram([] {
    EXPECT_EQ(lookupDriver("QVWAN:"), 7);
    EXPECT_EQ(lookupDriver("QVCAPI:"), 3);
    EXPECT_EQ(lookupDriver("NOPE:"), kNoDriver);
    const char* capi[] = {"CAPI20:", "QVCAPI:"};
    selectDriverByName(capi, 2);
    EXPECT_EQ(g_settings.driverId, 5);  // CAPI20 preferred over QVCAPI
    const char* none[] = {"XX:"};
    selectDriverByName(none, 1);
    EXPECT_EQ(g_settings.driverId, 5);  // unchanged
  });
  EXPECT_EQ(code, -1);
  EXPECT_EQ(server.requests().size(), 5u);
}

TEST_F(Commands, LookupStopsAtACorruptRecord) {
  fake::Server server([](fake::Server& s, const fake::Request& r) {
    auto good = fake::textRecord(3, "OTHER: x", 1);
    auto bad = fake::textRecord(7, "QVWAN: 3.0", 2);
    bad[8] = 0xF0;  // payload length beyond the reply
    bad[9] = 0x10;
    good.insert(good.end(), bad.begin(), bad.end());
    s.reply(r.tag, 0, good);
  });
  EXPECT_EQ(fake::runProgram([] { EXPECT_EQ(lookupDriver("QVWAN:"), kNoDriver); }), -1);
}

}  // namespace
