#include <bit>
#include <cmath>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "RecordingCanvas.h"
#include "TestSupport.h"
#include "core/RandomGenerator.h"
#include "surface/SurfaceFills.h"

namespace {

using Kind = RecordingCanvas::Kind;
constexpr ColorRef White = MakeColor(255, 255, 255);

std::string IndexName(const ::testing::TestParamInfo<int>& info) {
  return std::string("Index") + ::testing::PrintToString(info.param);
}

// ---------------------------------------------------------------------------------------------
// Key colour fill.

class KeyColorFillTest : public ManualClockTest, public ::testing::WithParamInterface<int> {};

TEST_P(KeyColorFillTest, PaintsExactlyTheClipBoxInTheFillColourOfTheTickIndex) {
  const int k = GetParam();
  PinIndices((k + 4) % 10, k);  // the second points elsewhere, so only the tick may decide
  for (const Rect clip : {Rect{0, 0, 640, 480}, Rect{13, 27, 301, 199}}) {
    RecordingCanvas canvas(clip);
    KeyColorFill(canvas);
    ASSERT_EQ(canvas.Calls().size(), 1u);
    const auto& call = canvas.Calls()[0];
    EXPECT_EQ(call.kind, Kind::Solid);
    EXPECT_EQ(call.area, clip);
    EXPECT_EQ(call.color, FillColors[static_cast<std::size_t>(k)])
        << DescribeColor(call.color) << " for index " << k;
  }
}

INSTANTIATE_TEST_SUITE_P(EveryTickIndex, KeyColorFillTest, ::testing::Range(0, 10), IndexName);

// ---------------------------------------------------------------------------------------------
// Hatch fill.

struct HatchCase {
  int index;
  HatchStyle style;
};

class HatchFillTest : public ManualClockTest, public ::testing::WithParamInterface<HatchCase> {};

TEST_P(HatchFillTest, OneRectangleOverTheClipBoxInTheStyleAndVividColourOfTheSecondIndex) {
  const auto [k, style] = GetParam();
  EXPECT_EQ(HatchStyleForIndex(k), style);
  PinIndices(k, (k + 3) % 10);
  const Rect clip{5, 6, 1024, 768};
  RecordingCanvas canvas(clip);
  HatchFill(canvas);
  ASSERT_EQ(canvas.Calls().size(), 1u);
  const auto& call = canvas.Calls()[0];
  EXPECT_EQ(call.kind, Kind::Hatched);
  EXPECT_EQ(call.area, clip);
  EXPECT_EQ(call.style, style);
  EXPECT_EQ(call.color, VividColors[static_cast<std::size_t>(k)]) << DescribeColor(call.color);
}

INSTANTIATE_TEST_SUITE_P(
    EverySecondIndex, HatchFillTest,
    ::testing::Values(HatchCase{0, HatchStyle::Horizontal}, HatchCase{1, HatchStyle::Cross},
                      HatchCase{2, HatchStyle::BackwardDiagonal},
                      HatchCase{3, HatchStyle::DiagonalCross}, HatchCase{4, HatchStyle::Horizontal},
                      HatchCase{5, HatchStyle::Vertical}, HatchCase{6, HatchStyle::BackwardDiagonal},
                      HatchCase{7, HatchStyle::ForwardDiagonal}, HatchCase{8, HatchStyle::Cross},
                      HatchCase{9, HatchStyle::DiagonalCross}),
    [](const ::testing::TestParamInfo<HatchCase>& param) {
      return std::string("Index") + ::testing::PrintToString(param.param.index);
    });

TEST(HatchStyleNumbers, FollowThePlatformsHatchNumbering) {
  // Forward diagonal runs from top left to bottom right (platform style 2), backward from bottom
  // left to top right (style 3).
  EXPECT_EQ(static_cast<int>(HatchStyle::Horizontal), 0);
  EXPECT_EQ(static_cast<int>(HatchStyle::Vertical), 1);
  EXPECT_EQ(static_cast<int>(HatchStyle::ForwardDiagonal), 2);
  EXPECT_EQ(static_cast<int>(HatchStyle::BackwardDiagonal), 3);
  EXPECT_EQ(static_cast<int>(HatchStyle::Cross), 4);
  EXPECT_EQ(static_cast<int>(HatchStyle::DiagonalCross), 5);
}

using HatchFillSameSecond = ManualClockTest;

TEST_F(HatchFillSameSecond, TwoFillsInOneSecondAreIdentical) {
  clock.second = 1'700'000'321;
  RecordingCanvas first({0, 0, 800, 600});
  RecordingCanvas second({0, 0, 800, 600});
  HatchFill(first);
  random_generator::Draw();  // whatever happened in between
  HatchFill(second);
  ASSERT_EQ(first.Calls().size(), 1u);
  ASSERT_EQ(second.Calls().size(), 1u);
  EXPECT_EQ(first.Calls()[0].style, second.Calls()[0].style);
  EXPECT_EQ(first.Calls()[0].color, second.Calls()[0].color);
  EXPECT_EQ(first.Calls()[0].area, second.Calls()[0].area);
}

// ---------------------------------------------------------------------------------------------
// Mosaic fill.

class MosaicFillTest : public ManualClockTest {
 protected:
  static std::vector<ColorRef> ReferenceColors(ReferenceLcg& ref, std::size_t count) {
    std::vector<ColorRef> colors;
    for (std::size_t i = 0; i < count; ++i) {
      const int blue = ref.Next() % 256;
      const int green = ref.Next() % 256;
      const int red = ref.Next() % 256;
      colors.push_back(MakeColor(red, green, blue));
    }
    return colors;
  }

  static std::vector<Rect> Grid(int columns, int rows) {
    std::vector<Rect> squares;
    for (int r = 0; r < rows; ++r) {
      for (int c = 0; c < columns; ++c) {
        squares.push_back({35 * c, 35 * r, 35 * (c + 1), 35 * (r + 1)});
      }
    }
    return squares;
  }
};

TEST_F(MosaicFillTest, LaysSquaresFromOriginWithOverhang) {
  RecordingCanvas canvas({0, 0, 100, 70});
  MosaicFill(canvas);
  EXPECT_TRUE(canvas.AllOfKind(Kind::Framed));
  // Right edges 35, 70, 105 (the last column overhangs 100); bottom edges 35, 70.
  EXPECT_EQ(canvas.Areas(), (std::vector<Rect>{{0, 0, 35, 35},
                                               {35, 0, 70, 35},
                                               {70, 0, 105, 35},
                                               {0, 35, 35, 70},
                                               {35, 35, 70, 70},
                                               {70, 35, 105, 70}}));
}

TEST_F(MosaicFillTest, CoversTheClipBoxWithWholeSquaresFromTheClientOrigin) {
  // The clip box's left and top do not move the grid; a column or row that reaches the edge
  // exactly is the last; a tiny clip still gets one square. On a full screen, 55 * 35 = 1925 is
  // the first multiple of 35 reaching 1920 and 31 * 35 = 1085 reaches 1080.
  const struct {
    Rect clip;
    int columns, rows;
  } cases[] = {{{40, 50, 100, 70}, 3, 2}, {{0, 0, 70, 35}, 2, 1}, {{0, 0, 1, 1}, 1, 1}, {{0, 0, 1920, 1080}, 55, 31}};
  for (const auto& c : cases) {
    RecordingCanvas canvas(c.clip);
    MosaicFill(canvas);
    EXPECT_EQ(canvas.Areas(), Grid(c.columns, c.rows)) << c.clip.right << "x" << c.clip.bottom;
  }
}

TEST_F(MosaicFillTest, ColoursComeFromTheGeneratorWithoutReseedingBlueGreenRed) {
  random_generator::Seed(424242u);
  clock.log.clear();
  RecordingCanvas canvas({0, 0, 100, 70});
  MosaicFill(canvas);
  ReferenceLcg ref(424242u);
  EXPECT_EQ(canvas.Colors(), ReferenceColors(ref, 6));
  EXPECT_TRUE(clock.log.empty()) << "the mosaic consulted the picker's clock";
}

TEST_F(MosaicFillTest, TwoMosaicsInARowDifferAndContinueOneSequence) {
  random_generator::Seed(7u);
  RecordingCanvas first({0, 0, 640, 480});
  RecordingCanvas second({0, 0, 640, 480});
  MosaicFill(first);
  MosaicFill(second);
  ASSERT_EQ(first.Calls().size(), second.Calls().size());
  EXPECT_NE(first.Colors(), second.Colors());
  ReferenceLcg ref(7u);
  EXPECT_EQ(first.Colors(), ReferenceColors(ref, first.Calls().size()));
  EXPECT_EQ(second.Colors(), ReferenceColors(ref, second.Calls().size()));
}

// ---------------------------------------------------------------------------------------------
// Gradient fill.

// The float nearest 1/255, built from its bits independently of the product.
double BandFraction() {
  const std::uint32_t bits = 0x3B808081u;
  float f = 0;
  std::memcpy(&f, &bits, sizeof f);
  return static_cast<double>(f);
}

int ExpectedComponent(int start, int end, int band) {
  return static_cast<int>(std::trunc(static_cast<double>(end - start) * band * BandFraction() +
                                     static_cast<double>(start)));
}

ColorRef ExpectedBandColor(ColorRef start, ColorRef end, int band) {
  return MakeColor(ExpectedComponent(RedOf(start), RedOf(end), band),
                   ExpectedComponent(GreenOf(start), GreenOf(end), band),
                   ExpectedComponent(BlueOf(start), BlueOf(end), band));
}

TEST(GradientBands, WidthHundredGivesEmptyAndOnePixelBands) {
  const GradientBands bands = ComputeGradientBands({0, 0, 100, 50}, White, White);
  int empty = 0;
  int onePixel = 0;
  for (const GradientBand& band : bands) {
    const int w = band.area.Width();
    if (w == 0) ++empty;
    else if (w == 1) ++onePixel;
    else ADD_FAILURE() << "band of width " << w;
  }
  EXPECT_EQ(onePixel, 100);
  EXPECT_EQ(empty, 155);
}

TEST(GradientBands, Width1024GivesFourOrFivePixelBands) {
  const GradientBands bands = ComputeGradientBands({0, 0, 1024, 768}, White, White);
  int five = 0;
  for (const GradientBand& band : bands) {
    const int w = band.area.Width();
    EXPECT_TRUE(w == 4 || w == 5) << "band of width " << w;
    if (w == 5) ++five;
  }
  // 1024 = 255 * 4 + 4.
  EXPECT_EQ(five, 4);
}

TEST(GradientBands, BandsTileTheClipExactlyForEveryWidthUpTo4999) {
  for (const int left : {0, 37, -120}) {
    for (int width = 1; width <= 4999; ++width) {
      const Rect clip{left, 11, left + width, 222};
      const GradientBands bands = ComputeGradientBands(clip, White, White);
      ASSERT_EQ(bands.front().area.left, clip.left) << "width " << width << " left " << left;
      ASSERT_EQ(bands.back().area.right, clip.right) << "width " << width << " left " << left;
      for (std::size_t i = 0; i < bands.size(); ++i) {
        const Rect& a = bands[i].area;
        ASSERT_GE(a.Width(), 0) << "band " << i << " width " << width;
        ASSERT_EQ(a.top, clip.top);
        ASSERT_EQ(a.bottom, clip.bottom);
        if (i + 1 < bands.size()) {
          ASSERT_EQ(a.right, bands[i + 1].area.left) << "gap after band " << i << " width " << width;
        }
      }
    }
  }
}

TEST(GradientBands, BlackToWhiteStepsOneLevelPerBand) {
  // 255 * i * c with c a hair above 1/255 truncates to i for every band.
  const GradientBands bands = ComputeGradientBands({0, 0, 600, 400}, MakeColor(0, 0, 0), White);
  for (int i = 0; i < GradientBandCount; ++i) {
    EXPECT_EQ(bands[static_cast<std::size_t>(i)].color, MakeColor(i, i, i)) << "band " << i;
  }
}

TEST(GradientBands, FirstBandIsTheStartAndLastStopsOneStepShortOfTheEnd) {
  const ColorRef start = MakeColor(0, 60, 200);
  const ColorRef end = MakeColor(255, 250, 210);
  const GradientBands bands = ComputeGradientBands({0, 0, 300, 10}, start, end);
  EXPECT_EQ(bands.front().color, start);
  // S + D * 254 / 255: 0 + 254.0, 60 + 189.25, 200 + 9.96.
  EXPECT_EQ(bands.back().color, MakeColor(254, 249, 209)) << DescribeColor(bands.back().color);
}

TEST(GradientBands, ColoursFollowTheTruncatedStepPerChannel) {
  const std::vector<std::pair<ColorRef, ColorRef>> pairs = {
      {White, MakeColor(128, 0, 255)}, {MakeColor(0, 128, 255), White},
      {MakeColor(255, 255, 255), MakeColor(0, 0, 0)}, {MakeColor(17, 200, 3), MakeColor(201, 5, 99)},
      {MakeColor(128, 64, 0), MakeColor(128, 64, 0)}};
  for (const auto& [start, end] : pairs) {
    const GradientBands bands = ComputeGradientBands({0, 0, 1280, 1024}, start, end);
    for (int i = 0; i < GradientBandCount; ++i) {
      const ColorRef got = bands[static_cast<std::size_t>(i)].color;
      ASSERT_EQ(got, ExpectedBandColor(start, end, i))
          << "band " << i << " from " << DescribeColor(start) << " to " << DescribeColor(end)
          << " gave " << DescribeColor(got);
    }
  }
}

class GradientFillTest : public ManualClockTest, public ::testing::WithParamInterface<int> {};

TEST_P(GradientFillTest, ChoosesEndsBySecondIndexAndPaints255Bands) {
  const int k = GetParam();
  PinIndices(k, (k + 2) % 10);
  const Rect clip{0, 0, 1024, 768};
  RecordingCanvas canvas(clip);
  GradientFill(canvas);

  const ColorRef start = k % 3 != 0 ? White : VividColors[static_cast<std::size_t>(k)];
  const ColorRef end = k % 3 != 0 ? PastelColors[static_cast<std::size_t>(k)] : White;
  ASSERT_EQ(canvas.Calls().size(), 255u);
  EXPECT_TRUE(canvas.AllOfKind(Kind::Band));
  EXPECT_EQ(canvas.Calls().front().color, start) << DescribeColor(canvas.Calls().front().color);
  EXPECT_EQ(canvas.Calls().front().area.left, 0);
  EXPECT_EQ(canvas.Calls().back().area.right, 1024);
  for (int i = 0; i < GradientBandCount; ++i) {
    const auto& call = canvas.Calls()[static_cast<std::size_t>(i)];
    ASSERT_EQ(call.color, ExpectedBandColor(start, end, i)) << "band " << i;
    ASSERT_EQ(call.area.top, 0);
    ASSERT_EQ(call.area.bottom, 768);
  }
}

INSTANTIATE_TEST_SUITE_P(EverySecondIndex, GradientFillTest, ::testing::Range(0, 10), IndexName);

}  // namespace
