#include "decode/capi/capi_conn.h"

#include <gtest/gtest.h>

namespace {

class CapiConn : public ::testing::Test {
 protected:
  void SetUp() override { capiConnReset(); }
  void TearDown() override { capiConnReset(); }
};

TEST_F(CapiConn, PendingRequestBoundByConfirmation) {
  capiConnRememberB3(0x01, 4);        // CONNECT_REQ on controller 1
  EXPECT_EQ(capiConnB3Protocol(0x00010101), 0u);
  capiConnBind(0x0101);               // CONNECT_CONF with PLCI 1
  EXPECT_EQ(capiConnB3Protocol(0x00010101), 4u);  // NCCI 1 shares the PLCI's slot
  EXPECT_EQ(capiConnB3Protocol(0x0101), 4u);
}

TEST_F(CapiConn, OldestPendingRequestIsBoundFirst) {
  capiConnRememberB3(0x01, 7);
  capiConnRememberB3(0x02, 5);  // another controller's request in between
  capiConnRememberB3(0x01, 4);
  capiConnBind(0x0201);
  EXPECT_EQ(capiConnB3Protocol(0x0201), 7u);
  capiConnBind(0x0301);
  EXPECT_EQ(capiConnB3Protocol(0x0301), 4u);
  capiConnBind(0x0102);
  EXPECT_EQ(capiConnB3Protocol(0x0102), 5u);
  // Nothing pending any more.
  capiConnBind(0x0401);
  EXPECT_EQ(capiConnB3Protocol(0x0401), 0u);
}

TEST_F(CapiConn, BindOfBoundPlciReleasesIt) {
  capiConnRememberB3(0x0101, 2);
  capiConnRememberB3(0x01, 3);
  capiConnBind(0x0101);
  EXPECT_EQ(capiConnB3Protocol(0x0101), 0u);
  // The pending request was not bound by that confirmation.
  capiConnBind(0x0101);
  EXPECT_EQ(capiConnB3Protocol(0x0101), 3u);
}

TEST_F(CapiConn, ReleaseAndOverwrite) {
  capiConnRememberB3(0x0101, 2);  // CONNECT_RESP
  EXPECT_EQ(capiConnB3Protocol(0x0101), 2u);
  capiConnRememberB3(0x0101, 0);  // SELECT_B_PROTOCOL_REQ
  EXPECT_EQ(capiConnB3Protocol(0x0101), 0u);
  capiConnRememberB3(0x0101, 0x107);  // only the low byte is kept
  EXPECT_EQ(capiConnB3Protocol(0x0101), 7u);
  capiConnRelease(0x0101);
  EXPECT_EQ(capiConnB3Protocol(0x0101), 0u);
}

TEST_F(CapiConn, ExternalEquipmentFlagIgnored) {
  capiConnRememberB3(0x0181, 5);
  EXPECT_EQ(capiConnB3Protocol(0x0101), 5u);
  EXPECT_EQ(capiConnB3Protocol(0x00020181), 5u);
}

TEST_F(CapiConn, KeysWithoutControllerOrPlciStayUnindexed) {
  capiConnRememberB3(0x0100, 5);  // controller 0: the slot stays free
  EXPECT_EQ(capiConnB3Protocol(0x0100), 0u);
  capiConnBind(0x0100);
  capiConnRelease(0x0100);
  capiConnTouch(0x0100);
  EXPECT_EQ(capiConnB3Protocol(0x0100), 0u);
}

TEST_F(CapiConn, LeastRecentlyUsedSlotIsReused) {
  for (unsigned p = 1; p <= 255; ++p) capiConnRememberB3(0x01 | (p << 8), p % 8);
  for (unsigned p = 1; p <= 255; ++p) ASSERT_EQ(capiConnB3Protocol(0x01 | (p << 8)), p % 8) << p;
  // The table is full; a new key takes the least recently used slot (PLCI 1).
  capiConnRememberB3(0x0102, 6);
  EXPECT_EQ(capiConnB3Protocol(0x0101), 0u);
  EXPECT_EQ(capiConnB3Protocol(0x0102), 6u);
  EXPECT_EQ(capiConnB3Protocol(0x0201), 2u);
}

TEST_F(CapiConn, TouchProtectsFromReuse) {
  for (unsigned p = 1; p <= 255; ++p) capiConnRememberB3(0x01 | (p << 8), 3);
  capiConnTouch(0x0101);  // now PLCI 2 is the least recently used
  capiConnRememberB3(0x0102, 4);
  EXPECT_EQ(capiConnB3Protocol(0x0101), 3u);
  EXPECT_EQ(capiConnB3Protocol(0x0201), 0u);
}

TEST_F(CapiConn, ReleasedSlotIsReusedNext) {
  for (unsigned p = 1; p <= 255; ++p) capiConnRememberB3(0x01 | (p << 8), 3);
  capiConnRelease(0x8001);  // PLCI 0x80, the 128th
  capiConnRememberB3(0x0102, 4);
  // PLCI 1 (the least recently used) survives; the released slot was taken.
  EXPECT_EQ(capiConnB3Protocol(0x0101), 3u);
  EXPECT_EQ(capiConnB3Protocol(0x0102), 4u);
}

}  // namespace
