// Raw output file: generations, rotation, names and the writer.
#include <gtest/gtest.h>

#include "control/settings.h"
#include "driver/tests/fake_driver.h"

namespace {

struct RawFile : ::testing::Test {
  std::string dir, base;
  void SetUp() override {
    g_settings = Settings{};
    char tmpl[] = "/tmp/marlog-raw-XXXXXX";
    dir = mkdtemp(tmpl);
    base = dir + "/out";
    g_settings.rawOutputFile = base.c_str();
  }
  void TearDown() override {
    rawFileClose();
    queReleaseAll();
    std::string cmd = "rm -rf '" + dir + "'";
    if (system(cmd.c_str()) != 0) {}
  }
  void store(const std::string& bytes) {
    RequestBlock* b = queAlloc(static_cast<uint32_t>(bytes.size()));
    std::memcpy(b->data, bytes.data(), bytes.size());
    b->length = static_cast<uint32_t>(bytes.size());
    rawFileQueueBlock(b);
  }
  std::string gen(int d) { return fake::readFile(base + "." + std::to_string(d)); }
};

TEST_F(RawFile, RotationKeepsFourGenerations) {
  for (bool overlapped : {true, false}) {
    SCOPED_TRACE(overlapped);
    fake::CapturedStderr err;
    for (const char* content : {"A", "B", "C", "D", "E"}) {
      ASSERT_EQ(openRawFile(overlapped), 0);
      store(content);
      store("+");
    }
    rawFileClose();
    EXPECT_EQ(gen(0), "B+");  // the oldest data, "A", rotated out
    EXPECT_EQ(gen(1), "C+");
    EXPECT_EQ(gen(2), "D+");
    EXPECT_EQ(gen(3), "E+");
    EXPECT_EQ(err.text(), "");  // missing generations move silently
    for (int d = 0; d < 4; ++d) unlink((base + "." + std::to_string(d)).c_str());
  }
}

TEST_F(RawFile, FirstOpenCreatesOnlyTheCurrentFile) {
  ASSERT_EQ(openRawFile(true), 0);
  EXPECT_EQ(rawFilePosition(), 0u);
  EXPECT_EQ(gen(3), "");
  EXPECT_EQ(gen(0), "<missing>");
  EXPECT_EQ(gen(2), "<missing>");
}

TEST_F(RawFile, OverlappedWritesLandAtTheirOffsets) {
  ASSERT_EQ(openRawFile(true), 0);
  store("0123");
  store("4567");
  EXPECT_EQ(rawFilePosition(), 8u);
  rawFileClose();
  EXPECT_EQ(gen(3), "01234567");
}

TEST_F(RawFile, UncreatableFileIsReported) {
  std::string missing = dir + "/no/such/dir";
  g_settings.rawOutputFile = missing.c_str();
  fake::CapturedStderr err;
  EXPECT_EQ(openRawFile(true), -1);
  EXPECT_FALSE(rawFileIsOpen());
  EXPECT_EQ(err.text(), "Marlog: CreateFile(" + missing + ".3) ==> 2\n");
}

TEST_F(RawFile, NameTooLongForGenerationsIsRefused) {
  std::string name = dir + "/" + std::string(kMaxRawNameLength - dir.size(), 'n');
  ASSERT_EQ(name.size(), kMaxRawNameLength + 1);
  g_settings.rawOutputFile = name.c_str();
  fake::CapturedStderr err;
  EXPECT_EQ(openRawFile(true), -1);
  EXPECT_EQ(err.text(), "Marlog: CreateFile(" + name + ".3) ==> 206\n");
  name.pop_back();  // 257 characters fit
  g_settings.rawOutputFile = name.c_str();
  EXPECT_EQ(openRawFile(true), 0);
}

TEST_F(RawFile, WrapCheckRotatesOnlyAtTheLimitAndWithNoWriteInFlight) {
  g_settings.wrapLimit = 4;
  ASSERT_EQ(openRawFile(true), 0);
  store("abc");
  rawFileWrapCheck();
  EXPECT_EQ(rawFilePosition(), 3u);  // below the limit
  store("d");
  // A write to the current file still in flight holds the rotation back.
  RequestBlock* inFlight = queAlloc(1);
  inFlight->handle = rawFileHandle();
  quePending(inFlight);
  rawFileWrapCheck();
  EXPECT_EQ(rawFilePosition(), 4u);
  queUnpend(inFlight);
  rawFileWrapCheck();
  EXPECT_EQ(rawFilePosition(), 0u);
  EXPECT_EQ(gen(2), "abcd");
}

TEST_F(RawFile, NoLimitNeverRotates) {
  ASSERT_EQ(openRawFile(true), 0);
  store(std::string(5000, 'x'));
  rawFileWrapCheck();
  EXPECT_EQ(rawFilePosition(), 5000u);
}

}  // namespace
