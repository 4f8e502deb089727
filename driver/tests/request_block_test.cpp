#include "driver/request_block.h"

#include <gtest/gtest.h>

#include "platform/event.h"

struct RequestBlocks : ::testing::Test {
  void TearDown() override { queReleaseAll(); }
};

TEST_F(RequestBlocks, FreeBlockIsReusedWhenLargeEnough) {
  RequestBlock* a = queAlloc(4096);
  ASSERT_NE(a, nullptr);
  a->length = 7;
  a->done = 3;
  queFree(a);
  RequestBlock* b = queAlloc(4);
  EXPECT_EQ(b, a);
  EXPECT_EQ(b->length, 0u);
  EXPECT_EQ(b->done, 0u);
  EXPECT_EQ(b->capacity, 4096u);
  queFree(b);
  RequestBlock* c = queAlloc(8192);
  EXPECT_NE(c, a);
  EXPECT_EQ(c->capacity, 8192u);
  // Capacity 0 takes any free block.
  EXPECT_EQ(queAlloc(0), a);
}

TEST_F(RequestBlocks, FreeListIsFirstInFirstOut) {
  RequestBlock* a = queAlloc(16);
  RequestBlock* b = queAlloc(16);
  queFree(b);
  queFree(a);
  queFree(a);  // freed twice: still one entry
  EXPECT_EQ(freeCount(), 2);
  EXPECT_EQ(queAlloc(16), b);
  EXPECT_EQ(queAlloc(16), a);
  EXPECT_EQ(freeCount(), 0);
}

TEST_F(RequestBlocks, PendingListPutsNewestFirst) {
  RequestBlock* a = queAlloc(16);
  RequestBlock* b = queAlloc(16);
  RequestBlock* c = queAlloc(16);
  quePending(a);
  quePending(b);
  quePending(c);
  PlatformEvent* events[2];
  EXPECT_EQ(pendingEvents(events, 2), 2);
  EXPECT_EQ(events[0], c->event);
  EXPECT_EQ(events[1], b->event);
  EXPECT_EQ(pendingAt(2), a);
  EXPECT_EQ(pendingAt(3), nullptr);
  // Freeing a pending block takes it off the pending list.
  queFree(b);
  EXPECT_EQ(pendingCount(), 2);
  EXPECT_EQ(pendingAt(1), a);
  a->handle = &events;
  EXPECT_TRUE(pendingOn(&events));
  queUnpend(a);
  EXPECT_FALSE(pendingOn(&events));
  queReleaseAll();
  EXPECT_EQ(pendingCount(), 0);
  EXPECT_EQ(freeCount(), 0);
}
