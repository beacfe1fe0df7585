#include <ctime>
#include <thread>

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "core/CRandomPicker.h"
#include "core/ColorTables.h"
#include "core/RandomGenerator.h"

namespace {

// ---------------------------------------------------------------------------------------------
// The colour layout and the three tables, entry by entry.

TEST(ColorRefLayout, RedLowByteGreenMiddleBlueThird) {
  EXPECT_EQ(MakeColor(0x12, 0x34, 0x56), 0x00563412u);
  EXPECT_EQ(MakeColor(255, 0, 0), 0x000000FFu);
  EXPECT_EQ(MakeColor(0, 255, 0), 0x0000FF00u);
  EXPECT_EQ(MakeColor(0, 0, 255), 0x00FF0000u);
  EXPECT_EQ(RedOf(0x00563412u), 0x12);
  EXPECT_EQ(GreenOf(0x00563412u), 0x34);
  EXPECT_EQ(BlueOf(0x00563412u), 0x56);
}

struct Rgb {
  int r, g, b;
};

void ExpectTable(const ColorTable& table, const std::array<Rgb, 10>& expected) {
  for (std::size_t i = 0; i < 10; ++i) {
    EXPECT_EQ(RedOf(table[i]), expected[i].r) << "entry " << i;
    EXPECT_EQ(GreenOf(table[i]), expected[i].g) << "entry " << i;
    EXPECT_EQ(BlueOf(table[i]), expected[i].b) << "entry " << i;
    EXPECT_EQ(table[i] >> 24, 0u) << "entry " << i << " has bits above blue";
  }
}

TEST(ColorTables, FillColorsEntryByEntry) {
  ExpectTable(FillColors, {{{128, 128, 192}, {255, 128, 128}, {0, 255, 0}, {128, 64, 64},
                            {255, 0, 0}, {255, 255, 255}, {255, 0, 128}, {0, 0, 255},
                            {255, 255, 0}, {255, 128, 192}}});
}

TEST(ColorTables, PastelColorsEntryByEntry) {
  ExpectTable(PastelColors, {{{255, 128, 255}, {128, 0, 255}, {255, 255, 128}, {255, 128, 0},
                              {128, 128, 64}, {255, 128, 128}, {128, 255, 255}, {128, 128, 255},
                              {192, 192, 192}, {128, 128, 192}}});
}

TEST(ColorTables, VividColorsEntryByEntry) {
  ExpectTable(VividColors, {{{255, 0, 0}, {255, 255, 0}, {0, 0, 255}, {128, 255, 255},
                             {128, 64, 0}, {255, 128, 192}, {255, 128, 64}, {255, 0, 128},
                             {0, 128, 255}, {255, 128, 255}}});
}

// ---------------------------------------------------------------------------------------------
// Picks from an injected clock.

using RandomPicker = ManualClockTest;

TEST_F(RandomPicker, IndexBySecondIsFirstDrawAfterSeedingWithTheSecondModTen) {
  const CRandomPicker picker;
  clock.second = 0;
  EXPECT_EQ(picker.IndexBySecond(), 8);  // seed 0 draws 38
  clock.second = 2;
  EXPECT_EQ(picker.IndexBySecond(), 5);  // seed 2 draws 45
  for (std::int64_t s = 1'700'000'000; s < 1'700'000'500; ++s) {
    clock.second = s;
    ASSERT_EQ(picker.IndexBySecond(), ReferenceIndex(static_cast<std::uint32_t>(s))) << s;
  }
}

TEST_F(RandomPicker, IndexByTickIsFirstDrawAfterSeedingWithTheTickModTen) {
  const CRandomPicker picker;
  clock.second = 0;
  clock.tick = 0;
  EXPECT_EQ(picker.IndexByTick(), 8);
  clock.tick = 2;
  EXPECT_EQ(picker.IndexByTick(), 5);
  for (std::uint32_t t : {0xFFFFFFFFu, 0x80000000u, 123456u}) {
    clock.tick = t;
    EXPECT_EQ(picker.IndexByTick(), ReferenceIndex(t)) << t;
  }
  for (std::uint32_t t = 86'400'000u; t < 86'400'500u; ++t) {
    clock.tick = t;
    ASSERT_EQ(picker.IndexByTick(), ReferenceIndex(t)) << t;
  }
}

TEST_F(RandomPicker, IndexByTickReadsOnlyTheTick) {
  PinIndices(3, 7);
  clock.log.clear();
  EXPECT_EQ(CRandomPicker().IndexByTick(), 7);
  EXPECT_EQ(clock.log, std::vector<std::string>{"tick"});
}

TEST_F(RandomPicker, CallsWithinOneSecondAgreeWhateverWasDrawnBetween) {
  const CRandomPicker picker;
  clock.second = 1'700'000'123;
  const int first = picker.IndexBySecond();
  for (int i = 0; i < 37; ++i) random_generator::Draw();
  EXPECT_EQ(picker.IndexBySecond(), first);
  random_generator::Seed(99);
  EXPECT_EQ(picker.IndexBySecond(), first);
}

TEST_F(RandomPicker, PickReseedsTheCallingThreadsGenerator) {
  clock.second = 2;
  CRandomPicker().IndexBySecond();
  // The seed was 2 and one draw (45) went into the pick.
  EXPECT_EQ(random_generator::Draw(), 29216);
}

TEST_F(RandomPicker, FillColorIsTheFillEntryOfTheTickIndex) {
  const CRandomPicker picker;
  for (int k = 0; k < 10; ++k) {
    PinIndices((k + 5) % 10, k);
    EXPECT_EQ(picker.FillColor(), FillColors[static_cast<std::size_t>(k)]) << "index " << k;
  }
  clock.tick = 0;
  EXPECT_EQ(picker.FillColor(), MakeColor(255, 255, 0));
}

TEST_F(RandomPicker, VividColorRightAfterIndexTwoIsBlue) {
  const CRandomPicker picker;
  PinIndices(2, 0);
  ASSERT_EQ(picker.IndexBySecond(), 2);
  EXPECT_EQ(picker.VividColor(), MakeColor(0, 0, 255));
}

TEST_F(RandomPicker, VividColorIsTheVividEntryOfTheSecondIndex) {
  const CRandomPicker picker;
  for (int k = 0; k < 10; ++k) {
    PinIndices(k, (k + 3) % 10);
    EXPECT_EQ(picker.VividColor(), VividColors[static_cast<std::size_t>(k)]) << "index " << k;
  }
}

TEST_F(RandomPicker, PastelColorForSecondZeroIsSilver) {
  clock.second = 0;  // index 8
  EXPECT_EQ(CRandomPicker().PastelColor(), MakeColor(192, 192, 192));
}

TEST_F(RandomPicker, PastelColorYieldsBeforeReadingTheSecond) {
  clock.second = 0;
  clock.log.clear();
  CRandomPicker().PastelColor();
  EXPECT_EQ(clock.log, (std::vector<std::string>{"yield", "seconds"}));
}

TEST_F(RandomPicker, PastelColorTakesTheSecondSeenAfterTheYield) {
  clock.second = ReadingForIndex(1);
  clock.secondAfterYield = 0;  // index 8
  EXPECT_EQ(CRandomPicker().PastelColor(), MakeColor(192, 192, 192));
}

TEST_F(RandomPicker, PastelColorIsThePastelEntryOfTheSecondIndex) {
  const CRandomPicker picker;
  for (int k = 0; k < 10; ++k) {
    PinIndices(k, (k + 1) % 10);
    EXPECT_EQ(picker.PastelColor(), PastelColors[static_cast<std::size_t>(k)]) << "index " << k;
  }
}

TEST_F(RandomPicker, InjectedClockServesEveryThread) {
  PinIndices(6, 4);
  int bySecond = -1;
  int byTick = -1;
  std::thread([&] {
    bySecond = CRandomPicker().IndexBySecond();
    byTick = CRandomPicker().IndexByTick();
  }).join();
  EXPECT_EQ(bySecond, 6);
  EXPECT_EQ(byTick, 4);
}

// Without a fixture: puts a clock in, takes it out again and checks the calendar is back.
TEST(RandomPickerStandardClock, NullRestoresTheCalendarClock) {
  ManualClock pinned;
  const std::time_t now = std::time(nullptr);
  // A second well away from now whose index differs from the indices of the next few seconds.
  pinned.second = 0;
  for (std::uint32_t s = 0;; ++s) {
    bool distinct = true;
    for (int d = -1; d <= 5; ++d) {
      if (ReferenceIndex(s) == ReferenceIndex(static_cast<std::uint32_t>(now + d))) distinct = false;
    }
    if (distinct) {
      pinned.second = s;
      break;
    }
  }
  CRandomPicker::UseClock(&pinned);
  EXPECT_EQ(CRandomPicker().IndexBySecond(), ReferenceIndex(static_cast<std::uint32_t>(pinned.second)));
  CRandomPicker::UseClock(nullptr);

  const std::time_t before = std::time(nullptr);
  const int index = CRandomPicker().IndexBySecond();
  const std::time_t after = std::time(nullptr);
  EXPECT_TRUE(index == ReferenceIndex(static_cast<std::uint32_t>(before)) ||
              index == ReferenceIndex(static_cast<std::uint32_t>(after)))
      << "index " << index << " is not the index of the current second";
  EXPECT_TRUE(pinned.log.size() == 1u) << "the removed clock was consulted again";
}

}  // namespace
