// Mutated frames must decode without reading or writing out of bounds (run
// under the sanitizer build) and always end the record with its dump.
#include <gtest/gtest.h>

#include <random>

#include "decode/ppp/ppp.h"
#include "decode/ppp/tests/ppp_test_util.h"
#include "tests/unit_support.h"

namespace {

TEST(PppRobust, MutatedFramesStayBounded) {
  const Bytes seeds[] = {
      pppPacket(0xC021, 1, 1, {1, 4, 5, 0xDC, 3, 5, 0xC2, 0x23, 5, 0x13, 9, 3, 1, 2, 3, 4, 5, 6, 0x0D, 4, 1, '5'}),
      pppPacket(0xC021, 8, 1, pppPacket(0xC021, 7, 2, cpPacket(1, 1, {0x11, 4, 5, 0xDC}))),
      pppPacket(0xC023, 1, 1, {4, 'u', 's', 'e', 'r', 2, 'p', 'w'}),
      pppPacket(0xC027, 6, 1, {1, 4, 'a', 'b', 11, 4, 1, 2}),
      pppPacket(0xC223, 1, 1, {4, 1, 2, 3, 4, 'n'}),
      pppPacket(0xC029, 1, 1, {2, 8, 5, 1, '1', '2', 0, 0}),
      pppPacket(0x8021, 1, 1, {3, 6, 1, 2, 3, 4, 2, 6, 0, 0x2D, 15, 1}),
      pppPacket(0x803F, 1, 1, Bytes{1, 19} + Bytes(17, 'N') + Bytes{2, 10, 0, 2, 0, 1, 0, 0, 'a', 'b'}),
      pppPacket(0x802B, 1, 1, {1, 6, 0, 0, 0, 1, 5, 4, 'r', 'n'}),
      pppPacket(0x80FD, 1, 1, {0, 6, 0, 0x80, 0x5F, 1, 17, 5, 0, 1, 3}),
      pppPacket(0xC02B, 1, 1, {1, 6, 1, 2, 3, 4}),
      pppPacket(0xC02D, 1, 1, {1, 5, 0, 64, 1, 2, 10, 2, 3, 1, 2, 2, 4, '1', '2', 4, 3, 'x'}),
      Bytes{0x00, 0x3D, 0xC0, 0x00, 0x00, 0x05} + pppPacket(0xC021, 9, 1, {1, 2, 3, 4}),
  };
  std::mt19937 rng(12345);
  CapturedOutput o;
  for (int round = 0; round < 4000; ++round) {
    Bytes p = seeds[round % std::size(seeds)];
    int edits = 1 + static_cast<int>(rng() % 4);
    for (int e = 0; e < edits; ++e) {
      switch (rng() % 3) {
        case 0: p[rng() % p.size()] = static_cast<uint8_t>(rng()); break;
        case 1: p.resize(1 + rng() % p.size()); break;
        default: p.push_back(static_cast<uint8_t>(rng())); break;
      }
    }
    if (round % 2) p.insert(p.begin(), {0xFF, 0x03});
    DebugRecord r;
    r.length = static_cast<uint16_t>(p.size());
    // A copy of exactly the payload's size, so that an overread is caught.
    std::unique_ptr<uint8_t[]> exact(new uint8_t[p.size()]);
    std::copy(p.begin(), p.end(), exact.get());
    r.payload = exact.get();
    pppDecodeRecord(o.stream, r);
  }
  std::string t = o.text();
  EXPECT_EQ(t.back(), '\n');
}

}  // namespace
