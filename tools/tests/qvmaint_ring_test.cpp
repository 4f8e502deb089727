#include <gtest/gtest.h>

#include <vector>

#include "tools/qvmaint/qvmaint.h"
#include "trace/record.h"

namespace {

// A current-form record of payload length n whose payload bytes all carry fill.
std::vector<uint8_t> record(size_t n, uint8_t fill) {
  std::vector<uint8_t> r(recordLength(n), 0);
  DebugRecord h;
  h.length = static_cast<uint16_t>(n);
  h.typeWord = 0x0104;
  h.sequence = fill;
  recordWriteHeader(h, r.data());
  for (size_t i = 0; i < n; ++i) r[kRecordHeaderSize + i] = fill;
  return r;
}

TEST(QvmaintRing, KeepsOrderAndBytesAcrossTheWrap) {
  RecordRing ring;
  ringInit(ring, 256);
  std::vector<uint8_t> expect;
  // Push and take in turns so that records straddle the ring's end.
  for (int round = 0; round < 20; ++round) {
    std::vector<uint8_t> a = record(static_cast<size_t>(round * 7 % 50), uint8_t(round));
    std::vector<uint8_t> b = record(static_cast<size_t>(round * 13 % 61), uint8_t(round + 100));
    ringPush(ring, a.data(), a.size());
    ringPush(ring, b.data(), b.size());
    std::vector<uint8_t> out;
    size_t n = ringTake(ring, out, 4096);
    std::vector<uint8_t> both = a;
    both.insert(both.end(), b.begin(), b.end());
    ASSERT_EQ(n, both.size()) << "round " << round;
    EXPECT_EQ(out, both) << "round " << round;
    EXPECT_EQ(ring.used, 0u);
    EXPECT_EQ(ring.records, 0u);
  }
  EXPECT_EQ(ring.dropped, 0u);
}

TEST(QvmaintRing, FullRingDropsTheOldest) {
  RecordRing ring;
  ringInit(ring, 100);
  for (uint8_t i = 1; i <= 5; ++i) {
    std::vector<uint8_t> r = record(20, i);  // 40 bytes each
    ringPush(ring, r.data(), r.size());
  }
  EXPECT_EQ(ring.records, 2u);
  EXPECT_EQ(ring.dropped, 3u);
  std::vector<uint8_t> out;
  ringTake(ring, out, 4096);
  ASSERT_EQ(out.size(), 80u);
  EXPECT_EQ(recordFromBytes(out.data()).sequence, 4u);
  EXPECT_EQ(recordFromBytes(out.data() + 40).sequence, 5u);
}

TEST(QvmaintRing, TakeGivesWholeRecordsWithinTheCapacity) {
  RecordRing ring;
  ringInit(ring, 4096);
  for (uint8_t i = 1; i <= 3; ++i) {
    std::vector<uint8_t> r = record(40, i);  // 60 bytes each
    ringPush(ring, r.data(), r.size());
  }
  std::vector<uint8_t> out;
  EXPECT_EQ(ringTake(ring, out, 59), 0u);   // not even the first fits
  EXPECT_EQ(ringTake(ring, out, 119), 60u);  // one, not one and a bit
  EXPECT_EQ(ringTake(ring, out, 120), 120u);
  EXPECT_EQ(ring.records, 0u);
  EXPECT_EQ(recordFromBytes(out.data() + 60).sequence, 2u);
}

}  // namespace
