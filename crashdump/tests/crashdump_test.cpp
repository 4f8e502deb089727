#include "crashdump/crashdump.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "trace/byteview.h"
#include "trace/record.h"

namespace {

// 2026-01-15 00:00 UTC as a file time; "now" of the tests is a day later.
constexpr uint64_t kStamp = 0x01DC85B8F3D14000ull;
const time_t kNow = 1768521600;  // 2026-01-16 00:00 UTC

struct Header {
  uint64_t stamp = kStamp;
  uint16_t length = 8;
  uint16_t marker = 0xFFFF;
  uint16_t driverId = 2;
  uint16_t typeWord = 0x0304;
  uint32_t sequence = 1;
};

// A whole record with the header h and a payload of h.length bytes of fill.
std::vector<uint8_t> record(const Header& h, uint8_t fill = 0x5A) {
  size_t n = h.length <= kMaxPayload ? h.length : 4;
  std::vector<uint8_t> r(recordLength(n), 0);
  DebugRecord d;
  d.timeLow = static_cast<uint32_t>(h.stamp);
  d.timeHigh = static_cast<uint32_t>(h.stamp >> 32);
  d.length = h.length;
  d.driverId = h.driverId;
  d.typeWord = h.typeWord;
  d.sequence = h.sequence;
  recordWriteHeader(d, r.data());
  r[10] = static_cast<uint8_t>(h.marker);
  r[11] = static_cast<uint8_t>(h.marker >> 8);
  for (size_t i = 0; i < n; ++i) r[kRecordHeaderSize + i] = fill;
  return r;
}

TEST(CrashDumpBounds, LowerIs1996AndUpperThirtyDaysAhead) {
  CrashTimeBounds b = crashTimeBounds(kNow);
  EXPECT_EQ(b.lower, 0x01BAD7DC17E88000ull);
  EXPECT_EQ(b.upper, (static_cast<uint64_t>(kNow) + 11644473600ull + 30 * 86400ull) * 10000000ull);
}

TEST(CrashDumpCandidate, AcceptsAndRejectsHeaders) {
  CrashTimeBounds b = crashTimeBounds(kNow);
  struct Case {
    const char* what;
    Header h;
    bool taken;
  };
  auto with = [](auto change) {
    Header h;
    change(h);
    return h;
  };
  std::vector<Case> cases = {
      {"plain", Header{}, true},
      {"time at the lower bound", with([&](Header& h) { h.stamp = b.lower; }), false},
      {"time just above it", with([&](Header& h) { h.stamp = b.lower + 1; }), true},
      {"time at the upper bound", with([&](Header& h) { h.stamp = b.upper; }), false},
      {"time just below it", with([&](Header& h) { h.stamp = b.upper - 1; }), true},
      {"millisecond form", with([](Header& h) { h.stamp = 5000; }), false},
      {"payload 0", with([](Header& h) { h.length = 0; }), false},
      {"payload 1", with([](Header& h) { h.length = 1; }), true},
      {"payload 2152", with([](Header& h) { h.length = 2152; }), true},
      {"payload 2153", with([](Header& h) { h.length = 2153; }), false},
      {"old form", with([](Header& h) { h.marker = 0; }), false},
      {"marker 0xFFFE", with([](Header& h) { h.marker = 0xFFFE; }), false},
      {"driver 99", with([](Header& h) { h.driverId = 99; }), true},
      {"driver 100", with([](Header& h) { h.driverId = 100; }), false},
      {"type 0", with([](Header& h) { h.typeWord = 0x0300; }), false},
      {"type 5", with([](Header& h) { h.typeWord = 0x0305; }), false},
      {"type 1 with processor", with([](Header& h) { h.typeWord = 0x03F1; }), true},
  };
  for (int c = 0; c <= 34; ++c) {
    bool ok = c >= 1 && c <= 32 && ((0x0F3F3FBFu >> (c - 1)) & 1);
    Header h;
    h.typeWord = static_cast<uint16_t>((c << 8) | 2);
    cases.push_back({"class", h, ok});
  }
  for (size_t i = 0; i < cases.size(); ++i) {
    // Behind 100 bytes of zeros (the block search) and at the very start.
    std::vector<uint8_t> w(100, 0);
    std::vector<uint8_t> r = record(cases[i].h);
    w.insert(w.end(), r.begin(), r.end());
    w.resize(w.size() + 8, 0);
    EXPECT_EQ(findCandidate(w.data(), w.size(), b), cases[i].taken ? 100 : -1)
        << cases[i].what << " " << i;
    EXPECT_EQ(findCandidate(r.data(), r.size(), b), cases[i].taken ? 0 : -1)
        << cases[i].what << " " << i;
  }
}

TEST(CrashDumpCandidate, OnlyAtMultiplesOfFourWithTwentyFourBytesLeft) {
  CrashTimeBounds b = crashTimeBounds(kNow);
  std::vector<uint8_t> r = record(Header{});
  for (size_t lead : {size_t(1), size_t(2), size_t(3), size_t(6)}) {
    std::vector<uint8_t> w(lead, 0);
    w.insert(w.end(), r.begin(), r.end());
    w.resize(200, 0);
    EXPECT_EQ(findCandidate(w.data(), w.size(), b), -1) << lead;
  }
  std::vector<uint8_t> w(148, 0);
  w.insert(w.end(), r.begin(), r.begin() + 24);
  EXPECT_EQ(findCandidate(w.data(), w.size(), b), 148);
  EXPECT_EQ(findCandidate(w.data(), w.size() - 1, b), -1);  // 23 bytes left
  EXPECT_EQ(findCandidate(w.data(), 23, b), -1);
}

TEST(CrashDumpEntries, DuplicateOnlyWhenNumberAndBytesMatch) {
  DebugEntryList list;
  Header h;
  h.sequence = 7;
  std::vector<uint8_t> a = record(h, 0x11), b = record(h, 0x22);
  h.typeWord = 0x0301;  // a text record sharing the number
  std::vector<uint8_t> c = record(h, 0x41);
  h.sequence = 8;
  std::vector<uint8_t> d = record(h, 0x41);  // same payload, other number
  for (const std::vector<uint8_t>* r : {&a, &b, &a, &c, &d, &c})
    EXPECT_EQ(enqueDebugEntry(list, r->data(), r->size()), 0);
  EXPECT_EQ(orderDebugEntries(list), 2u);
  ASSERT_EQ(list.entries.size(), 4u);
  const uint8_t fill[] = {0x11, 0x22, 0x41, 0x41};
  for (size_t i = 0; i < 4; ++i) EXPECT_EQ(list.entries[i].bytes[kRecordHeaderSize], fill[i]) << i;
  EXPECT_EQ(list.entries[3].sequence, 8u);
  releaseDebugEntries(list);
}

TEST(CrashDumpEntries, OrderedByUnsignedNumberKeepingFoundOrderOnTies) {
  DebugEntryList list;
  const uint32_t found[] = {5, 0xFFFFFFFF, 2, 5, 1, 0x80000000, 2, 5};
  for (size_t i = 0; i < 8; ++i) {
    Header h;
    h.sequence = found[i];
    std::vector<uint8_t> r = record(h, static_cast<uint8_t>(i));
    ASSERT_EQ(enqueDebugEntry(list, r.data(), r.size()), 0);
  }
  EXPECT_EQ(orderDebugEntries(list), 0u);
  const uint32_t seq[] = {1, 2, 2, 5, 5, 5, 0x80000000, 0xFFFFFFFF};
  const uint8_t fill[] = {4, 2, 6, 0, 3, 7, 5, 1};
  ASSERT_EQ(list.entries.size(), 8u);
  for (size_t i = 0; i < 8; ++i) {
    EXPECT_EQ(list.entries[i].sequence, seq[i]) << i;
    EXPECT_EQ(list.entries[i].bytes[kRecordHeaderSize], fill[i]) << i;
  }
  releaseDebugEntries(list);
}

TEST(CrashDumpEntries, LongRunsOfOneNumberKeepOrderAndDropCopies) {
  // 3000 text records under one number, every tenth present twice (the copy
  // found later), in a run long enough for the content ordering.
  DebugEntryList list;
  std::vector<std::vector<uint8_t>> recs;
  for (uint32_t i = 0; i < 3000; ++i) {
    Header h;
    h.typeWord = 0x0301;
    h.sequence = 42;
    h.length = static_cast<uint16_t>(8 + i % 5 * 4);
    h.stamp = kStamp + i;
    recs.push_back(record(h, static_cast<uint8_t>(i % 7)));
  }
  for (uint32_t i = 0; i < 3000; ++i) {
    ASSERT_EQ(enqueDebugEntry(list, recs[i].data(), recs[i].size()), 0);
    if (i % 10 == 0 && i >= 10) {
      ASSERT_EQ(enqueDebugEntry(list, recs[i - 10].data(), recs[i - 10].size()), 0);
    }
  }
  EXPECT_EQ(orderDebugEntries(list), 299u);
  ASSERT_EQ(list.entries.size(), 3000u);
  for (uint32_t i = 0; i < 3000; ++i)
    ASSERT_EQ(ByteView(list.entries[i].bytes, 8).le32(0), static_cast<uint32_t>(kStamp + i)) << i;
  releaseDebugEntries(list);
}

// Writes the bytes to a temporary file, opened for reading.
FILE* dumpFile(const std::vector<uint8_t>& bytes) {
  FILE* f = std::tmpfile();
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::rewind(f);
  return f;
}

void put(std::vector<uint8_t>& dump, size_t at, const std::vector<uint8_t>& r) {
  if (dump.size() < at + r.size()) dump.resize(at + r.size(), 0xEE);
  std::copy(r.begin(), r.end(), dump.begin() + static_cast<long>(at));
}

TEST(CrashDumpScan, CompletesRecordsThatStraddleReadsAndSkipsCutOnes) {
  const size_t chunk = 4096;
  std::vector<uint8_t> dump(3 * chunk, 0xEE);
  Header h;
  h.length = 2150;  // 2172 bytes with its padding
  h.sequence = 3;
  put(dump, chunk + 1000, record(h, 1));  // runs past the end of the first read
  h.sequence = 1;
  h.length = 40;
  put(dump, 2 * chunk + 1000, record(h, 2));
  h.sequence = 2;
  h.length = 2000;
  std::vector<uint8_t> cut = record(h, 3);
  cut.resize(100);
  put(dump, dump.size(), cut);  // the file ends inside this record
  FILE* f = dumpFile(dump);
  DebugEntryList list;
  scanCrashDump(f, "dump", crashTimeBounds(kNow), list, chunk);
  std::fclose(f);
  ASSERT_EQ(list.entries.size(), 2u);
  EXPECT_EQ(list.entries[0].sequence, 3u);
  EXPECT_EQ(list.entries[0].length, 2172u);
  EXPECT_EQ(list.entries[0].bytes[2169], 1);
  EXPECT_EQ(list.entries[0].bytes[2171], 0);  // its padding, read from the next chunk
  EXPECT_EQ(list.entries[1].sequence, 1u);
  releaseDebugEntries(list);
}

TEST(CrashDumpScan, EveryOffsetOnceAcrossReadsAndCopiesKeptOnce) {
  // Records at every kind of place relative to the reads, some twice.
  const size_t chunk = 4096;
  std::vector<uint8_t> dump;
  std::vector<size_t> at = {0, 4060, 4096, 6240, 8160, 12000, 20480, 24560};
  for (size_t i = 0; i < at.size(); ++i) {
    Header h;
    h.sequence = static_cast<uint32_t>(100 - i % 4);  // copies of four records
    h.length = static_cast<uint16_t>(4 + 4 * (i % 4));
    put(dump, at[i], record(h, static_cast<uint8_t>(i % 4)));
  }
  dump.resize(dump.size() + 64, 0xEE);
  FILE* f = dumpFile(dump);
  DebugEntryList list;
  scanCrashDump(f, "dump", crashTimeBounds(kNow), list, chunk);
  std::fclose(f);
  EXPECT_EQ(list.entries.size(), 8u);
  EXPECT_EQ(orderDebugEntries(list), 4u);
  EXPECT_EQ(list.entries.size(), 4u);
  for (size_t i = 0; i < list.entries.size(); ++i) EXPECT_EQ(list.entries[i].sequence, 97 + i);
  releaseDebugEntries(list);
}

TEST(CrashDumpPath, FromSystemRootElseWindir) {
  struct Case {
    const char* systemRoot;
    const char* windir;
    const char* path;  // nullptr: none
  } cases[] = {
      {"/srv/win", "/other", "/srv/win/memory.dmp"},
      {"", "/other", "/other/memory.dmp"},
      {nullptr, "/w", "/w/memory.dmp"},
      {nullptr, "", nullptr},
      {nullptr, nullptr, nullptr},
  };
  for (const Case& c : cases) {
    if (c.systemRoot) setenv("SystemRoot", c.systemRoot, 1); else unsetenv("SystemRoot");
    if (c.windir) setenv("windir", c.windir, 1); else unsetenv("windir");
    char out[64];
    bool ok = crashDumpDefaultPath(out, sizeof out);
    EXPECT_EQ(ok, c.path != nullptr);
    if (ok && c.path) {
      EXPECT_STREQ(out, c.path);
    }
  }
  unsetenv("SystemRoot");
  unsetenv("windir");
}

}  // namespace
