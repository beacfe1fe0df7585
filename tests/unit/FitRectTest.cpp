#include <utility>

#include <gtest/gtest.h>

#include "core/FitRect.h"

namespace {

TEST(FitInside, KeepsTheShapeCentresTheBandsAndSurvivesDegenerateSizes) {
  // The same shape fills the target whole.
  EXPECT_EQ(FitInside({1024, 0, 1824, 600}, 1024, 768), (Rect{1024, 0, 1824, 600}));
  // Wider than the target: bands above and below; taller: bands left and right.
  EXPECT_EQ(FitInside({0, 0, 800, 600}, 1600, 900), (Rect{0, 75, 800, 525}));
  EXPECT_EQ(FitInside({0, 0, 800, 600}, 600, 800), (Rect{175, 0, 625, 600}));
  EXPECT_EQ(FitInside({100, 50, 1380, 1074}, 1024, 768), (Rect{100, 82, 1380, 1042}));
  // Sizes whose products overflow 32 bits.
  EXPECT_EQ(FitInside({0, 0, 60000, 40000}, 50000, 50000), (Rect{10000, 0, 50000, 40000}));
  for (const auto& [width, height] : {std::pair{0, 768}, std::pair{1024, 0}, std::pair{-5, 10}}) {
    EXPECT_EQ(FitInside({10, 20, 810, 620}, width, height).Width(), 0);
  }
  EXPECT_EQ(FitInside({10, 20, 10, 620}, 1024, 768).Width(), 0);
}

}  // namespace
