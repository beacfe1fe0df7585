#include <gtest/gtest.h>

#include "core/ListenerTurns.h"

namespace {

TEST(ListenerTurns, ALateEndOfAListenerLetGoLeavesTheOneAfterItListening) {
  ListenerTurns turns;
  const unsigned old = turns.Begin();
  const unsigned next = turns.Begin();
  turns.End(old);
  EXPECT_TRUE(turns.IsCurrent(next) && !turns.IsCurrent(old)) << "the old listener ended the new one's listening";
  turns.End(next);
  EXPECT_FALSE(turns.Listening());
}

}  // namespace
