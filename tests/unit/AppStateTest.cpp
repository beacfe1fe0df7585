#include <thread>

#include <gtest/gtest.h>

#include "app/LockKeyRestore.h"
#include "core/ListenerTurns.h"
#include "core/SettingsBlock.h"

namespace {

TEST(LockKeyRestore, TapsEachKeyWhoseWholeStateByteDiffersCapsLockNumLockInsertInThatOrder) {
  EXPECT_TRUE(LockKeysToTap({0x01, 0x00, 0x81}, {0x01, 0x00, 0x81}).empty());
  // Toggle bit only, down bit only, both.
  EXPECT_EQ(LockKeysToTap({0x00, 0x00, 0x00}, {0x01, 0x00, 0x00}), std::vector<unsigned>{0x14});
  EXPECT_EQ(LockKeysToTap({0x00, 0x00, 0x00}, {0x00, 0x80, 0x00}), std::vector<unsigned>{0x90});
  EXPECT_EQ(LockKeysToTap({0x81, 0x00, 0x00}, {0x00, 0x00, 0x81}),
            (std::vector<unsigned>{0x14, 0x2D}));
  EXPECT_EQ(LockKeysToTap({0x01, 0x01, 0x01}, {0x00, 0x00, 0x00}),
            (std::vector<unsigned>{0x14, 0x90, 0x2D}));
}

TEST(ProgramSettings, OneZeroedRecordSharedByEveryThread) {
  SettingsBlock& settings = ProgramSettings();
  EXPECT_EQ(settings.noscreenserver, 0);
  EXPECT_EQ(settings.keywav, 0);
  EXPECT_EQ(settings.otherwav, 0);
  EXPECT_EQ(settings.time, 0);
  EXPECT_EQ(settings.endaltf4, 0);
  EXPECT_EQ(settings.path[0], '\0');
  EXPECT_EQ(sizeof settings.path, 256u);

  SettingsBlock* seen = nullptr;
  std::thread([&] { seen = &ProgramSettings(); }).join();
  EXPECT_EQ(seen, &settings);
}

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
