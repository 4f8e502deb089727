#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tools/qvmaint/qvmaint.h"
#include "trace/record.h"

namespace {

std::vector<uint8_t> words(uint32_t cmd, uint32_t a = 0, uint32_t b = 0, uint32_t c = 0) {
  std::vector<uint8_t> in;
  for (uint32_t w : {cmd, a, b, c})
    for (int i = 0; i < 4; ++i) in.push_back(static_cast<uint8_t>(w >> (8 * i)));
  return in;
}

std::vector<DebugRecord> records(const std::vector<uint8_t>& data) {
  std::vector<DebugRecord> out;
  for (size_t off = 0; off + kRecordHeaderSize <= data.size();) {
    DebugRecord r = recordFromBytes(data.data() + off);
    out.push_back(r);
    off += recordLength(r.length);
  }
  return out;
}

std::string text(const DebugRecord& r) {
  return std::string(reinterpret_cast<const char*>(r.payload), r.view().strLen(0));
}

struct StandInTest : ::testing::Test {
  StandIn s;
  std::vector<Reply> out;
  uint32_t nextTag = 1;

  void SetUp() override {
    std::vector<DriverEntry> drivers;
    ASSERT_TRUE(parseDriverList("QVWAN:5:1,CAPI20:7:2", drivers));
    standInInit(s, 65536, drivers);
  }
  // Issues a request; returns its tag.
  uint32_t ask(uint32_t ioctl, std::vector<uint8_t> input, uint32_t capacity, uint64_t now = 0,
               int conn = 1) {
    Request r;
    r.conn = conn;
    r.tag = nextTag++;
    r.ioctl = ioctl;
    r.capacity = capacity;
    r.input = std::move(input);
    standInRequest(s, r, now, out);
    return r.tag;
  }
  uint32_t debug(std::vector<uint8_t> input, uint32_t capacity = 4096, uint64_t now = 0) {
    return ask(kIoctlDebugRequest, std::move(input), capacity, now);
  }
  void logBinary(uint16_t driverId, size_t n = 8) {
    std::vector<uint8_t> p(n, 0xAB);
    standInLog(s, driverId, 0x0504, p.data(), p.size(), fileTimeNow());
  }
  const Reply* replyFor(uint32_t tag) {
    for (const Reply& r : out)
      if (r.tag == tag) return &r;
    return nullptr;
  }
};

TEST_F(StandInTest, BinaryRecordsCountOnTextRecordsCarryTheLastNumber) {
  logBinary(5);
  standInLog(s, 5, 0x0101, reinterpret_cast<const uint8_t*>("a"), 2, 1);
  logBinary(5);
  standInLog(s, 5, 0x0102, reinterpret_cast<const uint8_t*>("\1\0\0\0"), 4, 1);
  logBinary(5);
  uint32_t t = debug(words(0), 65536);
  std::vector<DebugRecord> recs = records(replyFor(t)->data);
  ASSERT_EQ(recs.size(), 5u);
  const uint32_t seq[] = {1, 1, 2, 2, 3};
  for (size_t i = 0; i < 5; ++i) EXPECT_EQ(recs[i].sequence, seq[i]) << i;
  EXPECT_NE(recs[0].timeHigh, 0u);  // file-time stamps
}

TEST_F(StandInTest, CopyWithoutWordsAnswersAtOnceEvenWhenEmpty) {
  uint32_t t = debug(words(0), 4096);
  ASSERT_NE(replyFor(t), nullptr);
  EXPECT_EQ(replyFor(t)->status, kStatusSuccess);
  EXPECT_TRUE(replyFor(t)->data.empty());
  EXPECT_TRUE(s.pending.empty());
}

TEST_F(StandInTest, WaitingCopyAnsweredByThresholdPeriodOrFlush) {
  // Threshold: two 28-byte records reach 56 bytes.
  uint32_t t1 = debug(words(0, 56, 1000), 4096, 0);
  logBinary(5);
  standInServePending(s, 10, out);
  EXPECT_EQ(replyFor(t1), nullptr);
  logBinary(5);
  standInServePending(s, 20, out);
  ASSERT_NE(replyFor(t1), nullptr);
  EXPECT_EQ(records(replyFor(t1)->data).size(), 2u);

  // Period: without data it keeps waiting, with data it is answered.
  uint32_t t2 = debug(words(0, 32768, 100), 4096, 100);
  EXPECT_EQ(standInNextDeadline(s), 200u);
  standInServePending(s, 250, out);
  EXPECT_EQ(replyFor(t2), nullptr);
  logBinary(5);
  standInServePending(s, 251, out);
  ASSERT_NE(replyFor(t2), nullptr);
  EXPECT_EQ(records(replyFor(t2)->data).size(), 1u);

  // Flush: the waiting copy takes what there is; with nothing it waits on.
  uint32_t t3 = debug(words(0, 32768, 0), 4096, 300);
  uint32_t f1 = debug(words(1), 0, 301);
  EXPECT_EQ(replyFor(f1)->status, kStatusSuccess);
  EXPECT_EQ(replyFor(t3), nullptr);
  logBinary(5);
  uint32_t f2 = debug(words(1), 0, 302);
  EXPECT_EQ(replyFor(f2)->status, kStatusSuccess);
  ASSERT_NE(replyFor(t3), nullptr);
  EXPECT_EQ(records(replyFor(t3)->data).size(), 1u);
  EXPECT_TRUE(s.pending.empty());
}

TEST_F(StandInTest, WaitingCopiesAreServedOldestFirstAndDroppedWithTheirConnection) {
  uint32_t a = debug(words(0, 1, 0), 4096);
  uint32_t b = ask(kIoctlDebugRequest, words(0, 1, 0), 4096, 0, 2);
  standInDropConnection(s, 1);
  logBinary(5);
  standInServePending(s, 1, out);
  EXPECT_EQ(replyFor(a), nullptr);
  ASSERT_NE(replyFor(b), nullptr);
  EXPECT_EQ(replyFor(b)->conn, 2);
}

TEST_F(StandInTest, ListGivesOneTextRecordPerDriverWithinTheCapacity) {
  uint32_t t = debug(words(2), 4096);
  std::vector<DebugRecord> recs = records(replyFor(t)->data);
  ASSERT_EQ(recs.size(), 2u);
  EXPECT_EQ(recs[0].driverId, 5);
  EXPECT_EQ(recs[0].messageType(), 1);
  EXPECT_EQ(recs[0].driverClass(), 1);
  EXPECT_EQ(text(recs[0]).rfind("QVWAN: ", 0), 0u);
  EXPECT_EQ(recs[1].driverId, 7);
  EXPECT_EQ(text(recs[1]).rfind("CAPI20: ", 0), 0u);
  size_t first = recordLength(recs[0].length);
  uint32_t small = debug(words(2), static_cast<uint32_t>(first));
  EXPECT_EQ(records(replyFor(small)->data).size(), 1u);
}

TEST_F(StandInTest, MaskRequests) {
  uint32_t set = debug(words(4, 7, 0x13));
  EXPECT_EQ(replyFor(set)->status, kStatusSuccess);
  uint32_t get = debug(words(3, 7, 0xFFFFFFFF));
  std::vector<DebugRecord> recs = records(replyFor(get)->data);
  ASSERT_EQ(recs.size(), 1u);
  EXPECT_EQ(replyFor(get)->data.size(), 24u);
  EXPECT_EQ(recs[0].messageType(), 2);
  EXPECT_EQ(recs[0].driverId, 7);
  EXPECT_EQ(recs[0].view().le32(0), 0x13u);
  EXPECT_EQ(replyFor(debug(words(3, 6, 0xFFFFFFFF)))->status, kStatusInvalidParameter);
  EXPECT_EQ(replyFor(debug(words(4, 6, 3)))->status, kStatusInvalidParameter);
}

TEST_F(StandInTest, BufferSizeIsFourBytes) {
  uint32_t t = debug(words(5), 4);
  ASSERT_EQ(replyFor(t)->data.size(), 4u);
  EXPECT_EQ(ByteView(replyFor(t)->data.data(), 4).le32(0), 65536u);
  EXPECT_EQ(replyFor(debug(words(5), 3))->status, kStatusInvalidParameter);
}

TEST_F(StandInTest, RejectsWhatItDoesNotKnow) {
  struct Case {
    const char* what;
    uint32_t ioctl;
    std::vector<uint8_t> input;
  } cases[] = {
      {"unknown command", kIoctlDebugRequest, words(6)},
      {"short input block", kIoctlDebugRequest, {0, 0, 0, 0}},
      {"unknown control code", 0x80010024, words(0)},
      {"empty remark", kIoctlWriteLineRequest, {}},
  };
  for (const Case& c : cases) {
    uint32_t t = ask(c.ioctl, c.input, 4096);
    EXPECT_EQ(replyFor(t)->status, kStatusInvalidParameter) << c.what;
  }
}

TEST_F(StandInTest, RemarkBecomesATextRecordWithItsZero) {
  std::string line = "*** tag *** hello";
  ask(kIoctlWriteLineRequest, std::vector<uint8_t>(line.begin(), line.end()), 0);  // no zero
  std::vector<uint8_t> big(5000, 'x');
  big.push_back(0);
  ask(kIoctlWriteLineRequest, big, 0);
  uint32_t t = debug(words(0), 65536);
  std::vector<DebugRecord> recs = records(replyFor(t)->data);
  ASSERT_EQ(recs.size(), 2u);
  EXPECT_EQ(text(recs[0]), line);
  EXPECT_EQ(recs[0].length, line.size() + 1);
  EXPECT_EQ(recs[0].messageType(), 1);
  EXPECT_EQ(recs[1].length, kMaxPayload);  // cut, still ends with its zero
  EXPECT_EQ(recs[1].payload[kMaxPayload - 1], 0);
}

TEST_F(StandInTest, NoResourcesForTheFirstCopies) {
  s.faults.noResources = 2;
  EXPECT_EQ(replyFor(debug(words(0)))->status, kStatusNoResources);
  EXPECT_EQ(replyFor(debug(words(0)))->status, kStatusNoResources);
  EXPECT_EQ(replyFor(debug(words(0)))->status, kStatusSuccess);
}

TEST(QvmaintDrivers, ParsesTheDriverList) {
  struct Case {
    const char* text;
    bool ok;
    size_t count;
  } cases[] = {
      {"QVWAN:5", true, 1},     {"QVWAN:5:1,CAPI20:0x7:2", true, 2}, {"", false, 0},
      {"QVWAN", false, 0},      {"QVWAN:x", false, 0},               {"A:1,A:1", false, 0},
      {"A:65535", false, 0},    {"A:1:0", false, 0},                 {"A:1:33", false, 0},
      {"A:1;B:2", false, 0},
  };
  for (const Case& c : cases) {
    std::vector<DriverEntry> d;
    EXPECT_EQ(parseDriverList(c.text, d), c.ok) << c.text;
    if (c.ok) {
      EXPECT_EQ(d.size(), c.count) << c.text;
    }
  }
  std::vector<DriverEntry> d;
  ASSERT_TRUE(parseDriverList("CAPI20:0x7:2", d));
  EXPECT_EQ(d[0].name, "CAPI20:");
  EXPECT_EQ(d[0].id, 7);
  EXPECT_EQ(d[0].driverClass, 2);
}

// Writes bytes to a temporary file; returns its name.
std::string tempFile(const std::vector<uint8_t>& bytes) {
  char name[] = "/tmp/qvmaint_test_XXXXXX";
  int fd = mkstemp(name);
  FILE* f = fdopen(fd, "wb");
  if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
  return name;
}

std::vector<uint8_t> currentRecord(uint16_t drv, uint16_t typeWord, uint32_t seq, uint32_t ms,
                                   size_t n) {
  std::vector<uint8_t> r(recordLength(n), 0);
  DebugRecord h;
  h.timeLow = ms;
  h.length = static_cast<uint16_t>(n);
  h.driverId = drv;
  h.typeWord = typeWord;
  h.sequence = seq;
  recordWriteHeader(h, r.data());
  for (size_t i = 0; i < n; ++i) r[kRecordHeaderSize + i] = static_cast<uint8_t>(i);
  return r;
}

TEST(QvmaintReplay, ReplaysRestampedAtTheRecordedPace) {
  std::vector<uint8_t> file = currentRecord(9, 0x0504, 500, 1000, 10);
  std::vector<uint8_t> second = currentRecord(9, 0x0504, 900, 1300, 3);
  file.insert(file.end(), second.begin(), second.end());
  // The same record again in the old 24-byte form.
  std::vector<uint8_t> old(oldRecordLength(2), 0);
  old[0] = 9;
  old[2] = 0x04, old[3] = 0x05;
  old[8] = 2;
  old[16] = 0x20, old[17] = 0x05;  // ms 1312
  file.insert(file.end(), old.begin(), old.end());
  std::string name = tempFile(file);

  ReplaySource r;
  std::string error;
  ASSERT_TRUE(replayLoad(r, name.c_str(), error)) << error;
  std::remove(name.c_str());
  ASSERT_EQ(r.offsets.size(), 3u);
  EXPECT_EQ(r.gapMs[1], 300u);
  EXPECT_EQ(r.gapMs[2], 12u);

  std::vector<DriverEntry> drivers;
  parseDriverList("QVWAN:5", drivers);
  replayRegisterDrivers(r, drivers);
  ASSERT_EQ(drivers.size(), 2u);
  EXPECT_EQ(drivers[1].name, "DRV9:");
  EXPECT_EQ(drivers[1].driverClass, 5);

  StandIn s;
  standInInit(s, 65536, drivers);
  replayTick(r, s, 1000);
  EXPECT_EQ(s.ring.records, 1u);
  EXPECT_EQ(replayNextDue(r), 1300u);
  replayTick(r, s, 1299);
  EXPECT_EQ(s.ring.records, 1u);
  replayTick(r, s, 1400);
  EXPECT_EQ(s.ring.records, 3u);
  EXPECT_TRUE(replayFinished(r));
  std::vector<uint8_t> data;
  ringTake(s.ring, data, 65536);
  std::vector<DebugRecord> recs = records(data);
  ASSERT_EQ(recs.size(), 3u);
  for (uint32_t i = 0; i < 3; ++i) {
    EXPECT_EQ(recs[i].sequence, i + 1);
    EXPECT_NE(recs[i].timeHigh, 0u);
    EXPECT_EQ(recs[i].driverId, 9);
  }
  EXPECT_EQ(recs[0].length, 10);
  EXPECT_EQ(recs[2].length, 2);
}

TEST(QvmaintReplay, DriversTakeTheirMaskFromTheFirstFlagsRecord) {
  std::vector<uint8_t> file = currentRecord(5, 0x0302, 0, 0, 4);
  file[20] = 0x07, file[21] = file[22] = file[23] = 0;
  std::vector<uint8_t> later = currentRecord(5, 0x0302, 0, 0, 4);
  later[20] = 0x1F;
  file.insert(file.end(), later.begin(), later.end());
  std::string name = tempFile(file);
  ReplaySource r;
  std::string error;
  ASSERT_TRUE(replayLoad(r, name.c_str(), error)) << error;
  std::remove(name.c_str());
  std::vector<DriverEntry> drivers;
  parseDriverList("QVWAN:5:3", drivers);
  replayRegisterDrivers(r, drivers);
  ASSERT_EQ(drivers.size(), 1u);
  EXPECT_EQ(drivers[0].mask, 0x00000007u);
}

TEST(QvmaintReplay, FastReplayWaitsForRoomAndLoops) {
  std::vector<uint8_t> file = currentRecord(9, 0x0504, 1, 0, 20);  // 40 bytes
  std::string name = tempFile(file);
  ReplaySource r;
  std::string error;
  ASSERT_TRUE(replayLoad(r, name.c_str(), error)) << error;
  std::remove(name.c_str());
  r.fast = true;
  r.loop = true;
  StandIn s;
  standInInit(s, 4096, {});
  replayTick(r, s, 0);
  EXPECT_EQ(s.ring.records, 4096u / 40);
  EXPECT_EQ(s.ring.dropped, 0u);
  std::vector<uint8_t> data;
  ringTake(s.ring, data, 400);
  replayTick(r, s, 0);
  EXPECT_EQ(s.ring.records, 4096u / 40);
  EXPECT_EQ(s.ring.dropped, 0u);
  EXPECT_FALSE(replayFinished(r));
}

TEST(QvmaintReplay, RefusesCorruptAndMissingFiles) {
  std::vector<uint8_t> bad = currentRecord(9, 0x0004, 1, 0, 4);  // class 0
  std::vector<uint8_t> longOne = currentRecord(9, 0x0504, 1, 0, 4);
  longOne[8] = 0x69, longOne[9] = 0x08;  // payload 2153
  std::vector<uint8_t> cut = currentRecord(9, 0x0504, 1, 0, 40);
  cut.resize(30);
  for (const std::vector<uint8_t>& bytes : {bad, longOne, cut, std::vector<uint8_t>{}}) {
    std::string name = tempFile(bytes);
    ReplaySource r;
    std::string error;
    EXPECT_FALSE(replayLoad(r, name.c_str(), error));
    EXPECT_FALSE(error.empty());
    std::remove(name.c_str());
  }
  ReplaySource r;
  std::string error;
  EXPECT_FALSE(replayLoad(r, "/nonexistent/file.3", error));
  EXPECT_NE(error.find("cannot open"), std::string::npos);
}

TEST(QvmaintLoad, ProducesAtTheRateUpToTheCount) {
  StandIn s;
  standInInit(s, 1 << 20, {});
  LoadSource l;
  l.rate = 1000;
  l.count = 1500;
  l.driverId = 5;
  loadTick(l, s, 10000);
  EXPECT_EQ(l.produced, 0u);
  loadTick(l, s, 10500);
  EXPECT_EQ(l.produced, 500u);
  EXPECT_EQ(loadNextDue(l), 10501u);
  loadTick(l, s, 20000);
  EXPECT_EQ(l.produced, 1500u);
  EXPECT_EQ(loadNextDue(l), UINT64_MAX);
  std::vector<uint8_t> data;
  ringTake(s.ring, data, 1 << 20);
  std::vector<DebugRecord> recs = records(data);
  ASSERT_EQ(recs.size(), 1500u);
  EXPECT_EQ(recs.back().sequence, 1500u);
  EXPECT_EQ(recs[0].messageType(), 3);
}

}  // namespace
