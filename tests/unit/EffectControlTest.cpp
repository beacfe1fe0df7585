#include <thread>

#include <gtest/gtest.h>

#include "effects/EffectControl.h"

namespace {

TEST(EffectControl, StartsWithNoStopRequests) {
  const EffectControl fresh;
  EXPECT_EQ(fresh.stopByKey.load(), 0);
  EXPECT_EQ(fresh.stopByRightButton.load(), 0);
}

// One record for the whole program: a request raised through one reference is seen through every
// other, on any thread. The test lowers the requests again so test order does not matter.
TEST(EffectControl, OneSharedRecordSeenFromEveryThread) {
  EffectControl& first = TheEffectControl();
  EXPECT_EQ(first.stopByKey.load(), 0);
  EXPECT_EQ(first.stopByRightButton.load(), 0);

  EffectControl* seenOnOtherThread = nullptr;
  std::thread([&] {
    seenOnOtherThread = &TheEffectControl();
    TheEffectControl().stopByKey.store(1);
  }).join();
  EXPECT_EQ(seenOnOtherThread, &first);
  EXPECT_EQ(first.stopByKey.load(), 1);
  EXPECT_EQ(first.stopByRightButton.load(), 0);

  TheEffectControl().stopByRightButton.store(1);
  EXPECT_EQ(first.stopByRightButton.load(), 1);

  first.stopByKey.store(0);
  first.stopByRightButton.store(0);
}

}  // namespace
