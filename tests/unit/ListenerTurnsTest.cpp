#include <gtest/gtest.h>

#include "core/ListenerTurns.h"

namespace {

TEST(ListenerTurns, ALateEndOfAListenerLetGoLeavesTheOneAfterItListening) {
  ListenerTurns turns;
  EXPECT_FALSE(turns.Listening());
  const unsigned old = turns.Begin();
  const unsigned next = turns.Begin();
  EXPECT_FALSE(turns.IsCurrent(old));
  turns.End(old);
  EXPECT_TRUE(turns.IsCurrent(next)) << "the old listener ended the new one's listening";
  turns.End(next);
  EXPECT_FALSE(turns.Listening());
  EXPECT_FALSE(turns.IsCurrent(next));
}

}  // namespace
