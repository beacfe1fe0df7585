#include <algorithm>
#include <array>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "RecordingCanvas.h"
#include "TestSupport.h"
#include "effects/Effects.h"
#include "core/RandomGenerator.h"

namespace {

using Op = EffectEvent::Op;
constexpr std::int64_t Seconds = 1'700'000'123;

EffectEnd RunScatter(EffectRoutine effect, RecordingCanvas& canvas, std::optional<int> stopAt = {}) {
  RecordingEffectHost host(canvas);
  host.seconds = Seconds;
  host.stopAtCheck = stopAt;
  return RunWithItsSound(effect, canvas, host);
}

// The stop checks, sleeps and drawings in order, as text: "check", "sleep 3", "E l,t,r,b pen/brush"
// (the pen's and brush's making order, -1 for another), "I file x,y".
std::vector<std::string> Trace(const RecordingCanvas& canvas, Op brushKind) {
  const auto pens = canvas.EventsOf(Op::Pen);
  const auto brushes = canvas.EventsOf(brushKind);
  const auto nth = [](const std::vector<EffectEvent>& made, CanvasObject object) {
    const auto at = std::find_if(made.begin(), made.end(),
                                 [&](const EffectEvent& e) { return e.object == object; });
    return std::to_string(at == made.end() ? -1 : at - made.begin());
  };
  std::vector<std::string> trace;
  for (const EffectEvent& e : canvas.Events()) {
    if (e.op == Op::StopCheck) trace.emplace_back("check");
    if (e.op == Op::Sleep) trace.push_back("sleep " + std::to_string(e.value));
    if (e.op == Op::Ellipse) {
      trace.push_back("E " + ::testing::PrintToString(e.rect) + " " + nth(pens, e.pen) + "/" +
                      nth(brushes, e.brush));
    }
    if (e.op == Op::Icon) {
      const EffectEvent* maker = canvas.Maker(e.object);  // a missing icon's load, for NoObject
      trace.push_back("I " + (maker ? maker->path : "?") + " " + std::to_string(e.x) + "," +
                      std::to_string(e.y));
    }
  }
  return trace;
}

// Reports the first difference only: the traces run to tens of thousands of entries.
void ExpectSameTrace(const std::vector<std::string>& got, const std::vector<std::string>& want) {
  const auto [a, b] = std::mismatch(got.begin(), got.end(), want.begin(), want.end());
  EXPECT_TRUE(a == got.end() && b == want.end())
      << "first difference at entry " << (a - got.begin()) << ": got "
      << (a != got.end() ? *a : "<end>") << ", expected " << (b != want.end() ? *b : "<end>");
}

std::string EllipseText(const Rect& r, int set) {
  return "E " + ::testing::PrintToString(r) + " " + std::to_string(set) + "/" + std::to_string(set);
}

// Three inside-frame pens of width 1 and three brushes of `brushKind`, pair k in colours[k].
void ExpectPensAndBrushes(const RecordingCanvas& canvas, Op brushKind,
                          const std::array<ColorRef, 3>& colors) {
  const auto pens = canvas.EventsOf(Op::Pen);
  const auto brushes = canvas.EventsOf(brushKind);
  ASSERT_EQ(pens.size(), 3u);
  ASSERT_EQ(brushes.size(), 3u);
  for (std::size_t k = 0; k < 3; ++k) {
    EXPECT_EQ(pens[k].penStyle, PenStyle::InsideFrame);
    EXPECT_EQ(pens[k].value, 1);
    EXPECT_EQ(pens[k].color, colors[k]) << DescribeColor(pens[k].color);
    EXPECT_EQ(brushes[k].color, colors[k]) << DescribeColor(brushes[k].color);
  }
}

// The sound stops once, straight after `last` (the stop check or the last drawing), and then every
// object made is released once and nothing else happens.
void ExpectEndsAfter(const RecordingCanvas& canvas, std::set<Op> last) {
  const auto& events = canvas.Events();
  const auto stop = std::find_if(events.begin(), events.end(),
                                 [](const EffectEvent& e) { return e.op == Op::StopSound; });
  ASSERT_NE(stop, events.end());
  ASSERT_NE(stop, events.begin());
  EXPECT_TRUE(last.contains(std::prev(stop)->op)) << "event before the sound stops";
  std::multiset<CanvasObject> made, released;
  for (const EffectEvent& e : events) {
    if (e.op <= Op::LoadIcon && e.object != NoObject) made.insert(e.object);
  }
  for (auto it = std::next(stop); it != events.end(); ++it) {
    EXPECT_EQ(it->op, Op::Release);
    released.insert(it->object);
  }
  EXPECT_FALSE(made.empty());
  EXPECT_EQ(released, made);
}

class HatchScatterTest : public ManualClockTest {};

TEST_F(HatchScatterTest, TenThousandStepsOfThreeCirclesEachFromItsOwnSeeds) {
  RecordingCanvas canvas({0, 0, 1024, 768});
  EXPECT_EQ(RunScatter(&HatchScatter, canvas), EffectEnd::Finished);
  const auto ellipses = canvas.EventsOf(Op::Ellipse);
  ASSERT_GE(ellipses.size(), 3u);
  // The first step worked out by hand from seeds 2, 20 and 200.
  EXPECT_EQ(ellipses[0].rect, (Rect{46, 33, 76, 63}));
  EXPECT_EQ(ellipses[1].rect, (Rect{144, 776, 174, 806}));
  EXPECT_EQ(ellipses[2].rect, (Rect{652, 561, 682, 591}));

  std::vector<std::string> expected;
  for (int n = 20; n < 10020; ++n) {
    expected.emplace_back("check");
    const std::array<int, 3> seeds = {n - 18, n, n + 180};
    const std::array<int, 3> shifts = {0, 40, -40};
    for (int k = 0; k < 3; ++k) {
      ReferenceLcg g(static_cast<std::uint64_t>(seeds[k]));
      const int x = g.Next() % 1024 + 1 + shifts[k];
      const int y = g.Next() % 768 + 1 + shifts[k];
      expected.push_back(EllipseText({x, y, x + 30, y + 30}, k));
      if (k == 0) expected.emplace_back("sleep 1");
    }
  }
  ExpectSameTrace(Trace(canvas, Op::HatchBrush), expected);
}

TEST_F(HatchScatterTest, InsideFramePensAndCrossHatchesInFreshPicksAndTheSamePictureEveryRun) {
  PinIndices(3, 7);  // pastel and vivid picks follow the second, fill picks the tick
  RecordingCanvas first({0, 0, 1024, 768});
  RunScatter(&HatchScatter, first, 200);
  ExpectPensAndBrushes(first, Op::HatchBrush, {FillColors[7], PastelColors[3], VividColors[3]});
  std::vector<HatchStyle> hatches;
  for (const EffectEvent& e : first.EventsOf(Op::HatchBrush)) hatches.push_back(e.hatch);
  EXPECT_EQ(hatches,
            (std::vector{HatchStyle::Cross, HatchStyle::DiagonalCross, HatchStyle::Cross}));

  random_generator::Seed(12345);  // neither the thread's generator nor the clock may matter
  PinIndices(6, 1);
  RecordingCanvas second({0, 0, 1024, 768});
  RunScatter(&HatchScatter, second, 200);
  ExpectSameTrace(Trace(second, Op::HatchBrush), Trace(first, Op::HatchBrush));
}

// What the sparkles should do on an 800x600 area: the generator seeded with the host's seconds,
// each row a hanging icon (top-left on the point) in its own pattern of steps, else a centred one.
std::vector<std::string> ExpectedSparkles(const std::set<std::string>& missing) {
  ReferenceLcg g(static_cast<std::uint64_t>(Seconds));
  std::vector<std::string> expected;
  for (int i = 0; i < 5000; ++i) {
    expected.emplace_back("check");
    expected.emplace_back("sleep 1");
    const std::array<bool, 4> hanging = {i % 48 < 16, i % 3 == 0, i % 2 == 0, i % 12 < 4};
    const std::array<int, 3> sleepSpans = {5, 2, 3};
    for (std::size_t row = 0; row < 4; ++row) {
      int x = g.Next() % 800;
      int y = g.Next() % 600;
      const std::string file = media::SparkleIconFiles[2 * row + (hanging[row] ? 1 : 0)];
      if (!hanging[row]) {
        x -= 16;
        y -= 16;
      }
      if (!missing.contains(file)) {
        expected.push_back("I " + file + " " + std::to_string(x) + "," + std::to_string(y));
      }
      if (row < 3) expected.push_back("sleep " + std::to_string(g.Next() % sleepSpans[row] + 1));
    }
  }
  return expected;
}

TEST(SparkleTest, FiveThousandStepsOfFourRowsWhereAMissingIconLeavesOnlyItsOwnGaps) {
  using Files = std::set<std::string>;
  const Files someMissing = {media::SparkleIconFiles[2], media::SparkleIconFiles[7]};
  for (const Files& missing : {Files{}, someMissing}) {
    RecordingCanvas canvas({0, 0, 800, 600});
    canvas.missingIcons = missing;
    EXPECT_EQ(RunScatter(&Sparkle, canvas), EffectEnd::Finished);
    std::vector<std::string> loaded;
    for (const EffectEvent& e : canvas.EventsOf(Op::LoadIcon)) loaded.push_back(e.path);
    EXPECT_EQ(loaded, std::vector<std::string>(media::SparkleIconFiles.begin(),
                                               media::SparkleIconFiles.end()));
    ExpectSameTrace(Trace(canvas, Op::SolidBrush), ExpectedSparkles(missing));
    ExpectEndsAfter(canvas, {Op::Icon});  // releases only the icons that loaded
  }
}

class GrowingCirclesTest : public ManualClockTest {};

TEST_F(GrowingCirclesTest, ThirteenCyclesOfFortyStepsGrowingTwentyAPartThenTheClosingCircle) {
  PinIndices(2, 8);
  RecordingCanvas canvas({0, 0, 1024, 768});
  EXPECT_EQ(RunScatter(&GrowingCircles, canvas), EffectEnd::Finished);

  ExpectPensAndBrushes(canvas, Op::SolidBrush, {FillColors[8], PastelColors[2], VividColors[2]});

  ReferenceLcg g(static_cast<std::uint64_t>(Seconds));
  std::vector<std::string> expected;
  for (int cycle = 0; cycle < 13; ++cycle) {
    const int radius = 20 * cycle + 25;  // diameter 2g+50
    for (int k = 0; k < 40; ++k) {
      expected.emplace_back("check");
      const std::array<int, 3> offsets = {k < 16 ? 20 : 0, k % 3 == 0 ? 80 : 40,
                                          k % 2 == 0 ? 160 : 120};
      const std::array<int, 3> sleeps = {2 * cycle + 3, 2 * cycle + 6, 2 * cycle + 12};
      for (int set = 0; set < 3; ++set) {
        expected.push_back("sleep " + std::to_string(sleeps[set]));
        const int cx = g.Next() % 1024 + 25 + offsets[set];
        const int cy = g.Next() % 768 + 25 + offsets[set];
        expected.push_back(EllipseText({cx - radius, cy - radius, cx + radius, cy + radius}, set));
      }
    }
  }
  expected.emplace_back("sleep 50");
  expected.push_back(EllipseText({128, 0, 896, 768}, 0));  // (1024-768)/2 = 128 across
  ExpectSameTrace(Trace(canvas, Op::SolidBrush), expected);
}

TEST_F(GrowingCirclesTest, ClosingCircleOnATallAreaAndNoneAfterAStop) {
  RecordingCanvas tall({5, 7, 605, 908});  // w-h = -301, halved toward zero: -150
  RunScatter(&GrowingCircles, tall);
  const auto trace = Trace(tall, Op::SolidBrush);
  ASSERT_GE(trace.size(), 2u);
  EXPECT_EQ(trace[trace.size() - 2], "sleep 50");
  EXPECT_EQ(trace.back(), EllipseText({-145, 7, 756, 908}, 0));

  RecordingCanvas stopped({0, 0, 1024, 768});
  EXPECT_EQ(RunScatter(&GrowingCircles, stopped, 519), EffectEnd::Stopped);  // the last step
  EXPECT_EQ(stopped.EventsOf(Op::Ellipse).size(), 519u * 3);
  for (const EffectEvent& e : stopped.EventsOf(Op::Sleep)) EXPECT_NE(e.value, 50);
}

struct EffectCase {
  const char* name;
  EffectRoutine routine;
};

void PrintTo(const EffectCase& effect, std::ostream* os) { *os << effect.name; }

class ScatterEndTest : public ::testing::TestWithParam<EffectCase> {};

TEST_P(ScatterEndTest, StopsRightAtTheCheckAndOtherwiseFinishesAndAlwaysCleansUp) {
  const EffectCase& effect = GetParam();
  for (const int check : {0, 5}) {
    SCOPED_TRACE(check);
    RecordingCanvas canvas({0, 0, 640, 480});
    EXPECT_EQ(RunScatter(effect.routine, canvas, check), EffectEnd::Stopped);
    EXPECT_EQ(canvas.EventsOf(Op::StopCheck).size(), static_cast<std::size_t>(check) + 1);
    ExpectEndsAfter(canvas, {Op::StopCheck});
  }
  RecordingCanvas canvas({0, 0, 640, 480});
  EXPECT_EQ(RunScatter(effect.routine, canvas), EffectEnd::Finished);
  ExpectEndsAfter(canvas, {Op::Ellipse, Op::Icon, Op::Select});
  const auto sounds = canvas.EventsOf(Op::Sound);
  ASSERT_EQ(sounds.size(), 1u);
  EXPECT_EQ(sounds[0].value, static_cast<int>(media::SoundMode::Play));
}

TEST_P(ScatterEndTest, AnEmptyAreaEndsAtOnceWithoutSoundOrDrawing) {
  for (const Rect clip : {Rect{0, 0, 0, 768}, Rect{0, 0, 1024, 0}, Rect{30, 0, 10, 768}}) {
    RecordingCanvas canvas(clip);
    EXPECT_EQ(RunScatter(GetParam().routine, canvas), EffectEnd::Finished);
    EXPECT_TRUE(canvas.Events().empty()) << ::testing::PrintToString(clip);
  }
}

INSTANTIATE_TEST_SUITE_P(
    ScatterEffects, ScatterEndTest,
    ::testing::Values(EffectCase{"HatchScatter", &HatchScatter}, EffectCase{"Sparkle", &Sparkle},
                      EffectCase{"GrowingCircles", &GrowingCircles}),
    [](const ::testing::TestParamInfo<EffectCase>& param) { return param.param.name; });

}  // namespace
