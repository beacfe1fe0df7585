#include <algorithm>
#include <array>
#include <cstdint>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "RecordingCanvas.h"
#include "TestSupport.h"
#include "effects/Effects.h"

namespace {

using Op = EffectEvent::Op;
constexpr Rect Screen{0, 0, 1024, 768};
constexpr ColorRef White = MakeColor(255, 255, 255);

// A recording canvas over the area and a host that logs into it.
struct Stage {
  explicit Stage(Rect area = Screen) : canvas(area), host(canvas) {}
  RecordingCanvas canvas;
  RecordingEffectHost host;
};

Rect Around(int x, int y, int half) { return {x - half, y - half, x + half, y + half}; }

// What happened in each step: the events after each stop check, up to the next one.
std::vector<std::vector<EffectEvent>> Steps(const RecordingCanvas& canvas,
                                            Op only = Op::StopCheck) {
  std::vector<std::vector<EffectEvent>> steps;
  for (const EffectEvent& e : canvas.Events()) {
    if (e.op == Op::StopCheck) {
      steps.emplace_back();
    } else if (!steps.empty() && (only == Op::StopCheck || e.op == only)) {
      steps.back().push_back(e);
    }
  }
  return steps;
}

// The end: one sound stop followed only by releases, each pen, brush and icon made released
// once; after a stop request the sound stop comes straight after the stop check.
void ExpectEndsCleanly(const RecordingCanvas& canvas, bool stopped) {
  const auto& events = canvas.Events();
  ASSERT_EQ(canvas.EventsOf(Op::StopSound).size(), 1u);
  auto at = std::find_if(events.begin(), events.end(),
                         [](const EffectEvent& e) { return e.op == Op::StopSound; });
  ASSERT_NE(at, events.begin());
  EXPECT_EQ(std::prev(at)->op == Op::StopCheck, stopped);
  while (++at != events.end()) EXPECT_EQ(at->op, Op::Release);
  std::multiset<CanvasObject> made, released;
  for (const EffectEvent& e : events) {
    if ((e.op == Op::Pen || e.op == Op::SolidBrush || e.op == Op::LoadIcon) && e.object != NoObject)
      made.insert(e.object);
    if (e.op == Op::Release) released.insert(e.object);
  }
  EXPECT_EQ(released, made);
}

TEST(TwinOrbitTest, DiscsCircleTheCursorReadAfreshEveryStep) {
  Stage still, moving;
  still.host.cursor = [](long long) { return Point{400, 300}; };
  still.host.stopAtCheck = 1081;
  moving.host.cursor = [](long long ms) {
    return Point{400 + 3 * static_cast<int>(ms), 300 - 2 * static_cast<int>(ms)};
  };
  EXPECT_EQ(RunWithItsSound(&TwinOrbit, still.canvas, still.host), EffectEnd::Stopped);
  EXPECT_EQ(RunWithItsSound(&TwinOrbit, moving.canvas, moving.host), EffectEnd::Finished);
  EXPECT_EQ(still.canvas.Events().front().op, Op::Sound);

  const auto discs = still.canvas.EventsOf(Op::Ellipse);
  ASSERT_EQ(discs.size(), 2u * 1081);
  // Large disc: radius 60, a quarter turn per 270 steps; small: radius 30, a quarter turn the
  // other way per 180 steps; offsets lose their fractions (30 * sqrt(2) / 2 = 21.2,
  // 60 * sqrt(3) / 2 = 51.96).
  struct At {
    int step;
    Point large, small;
  };
  for (const At at : {At{0, {0, 60}, {0, 30}}, At{270, {60, 0}, {-21, -21}},
                      At{720, {-51, -30}, {0, 30}}, At{1080, {0, 60}, {0, -30}}}) {
    const auto i = static_cast<std::size_t>(2 * at.step);
    EXPECT_EQ(discs[i].rect, Around(400 + at.large.x, 300 + at.large.y, 10)) << at.step;
    EXPECT_EQ(discs[i + 1].rect, Around(400 + at.small.x, 300 + at.small.y, 10)) << at.step;
    EXPECT_TRUE(discs[i].pen == discs[0].pen && discs[i + 1].brush == discs[1].brush);
  }
  for (const auto& disc : {discs[0], discs[1]}) {
    EXPECT_TRUE(still.canvas.Maker(disc.pen)->value == 5 &&
                still.canvas.Maker(disc.pen)->penStyle == PenStyle::Solid);
  }
  EXPECT_TRUE(discs[0].pen != discs[1].pen && discs[0].brush != discs[1].brush);
  ExpectEndsCleanly(still.canvas, true);

  // One 1 ms sleep a step, after the read: step s sees the cursor moved by (3s, -2s).
  const auto shifted = moving.canvas.EventsOf(Op::Ellipse);
  ASSERT_EQ(shifted.size(), 72000u);
  for (std::size_t i = 0; i < discs.size(); ++i) {
    const int s = static_cast<int>(i / 2);
    const Rect r = discs[i].rect;
    ASSERT_EQ(shifted[i].rect,
              (Rect{r.left + 3 * s, r.top - 2 * s, r.right + 3 * s, r.bottom - 2 * s}))
        << i;
  }
  EXPECT_EQ(moving.canvas.EventsOf(Op::Cursor).size(), 36000u);
  EXPECT_EQ(moving.host.ElapsedMs(), 36000);
  ExpectEndsCleanly(moving.canvas, false);
}

// The picker's clock for these tests hands out calendar seconds one per read, so each colour
// pick can see a different second.
class TwinOrbitColourTest : public ::testing::Test, public PickerClock {
 protected:
  void SetUp() override { CRandomPicker::UseClock(this); }
  void TearDown() override { CRandomPicker::UseClock(nullptr); }
  std::int64_t CalendarSeconds() override { return seconds[std::min(next++, seconds.size() - 1)]; }
  std::uint32_t TickMilliseconds() override { return tick; }
  void YieldTimeSlice() override {}
  std::vector<std::int64_t> seconds;
  std::uint32_t tick = 0;
  std::size_t next = 0;
};

TEST_F(TwinOrbitColourTest, PastelVividVividWithAClashingLargeFillReplacedByAFillColour) {
  int clashes = 0;
  for (int a = 0; a < 10; ++a) {
    for (int c = 0; c < 10; ++c) {
      const int b = (c + 1) % 10;
      next = 0;
      seconds = {ReadingForIndex(a), ReadingForIndex(b), ReadingForIndex(c)};
      tick = ReadingForIndex(7, 5'000'000u);
      Stage run;
      run.host.stopAtCheck = 1;
      RunWithItsSound(&TwinOrbit, run.canvas, run.host);
      const auto discs = run.canvas.EventsOf(Op::Ellipse);
      ASSERT_EQ(discs.size(), 2u);
      const bool clash = PastelColors[a] == VividColors[c];
      clashes += clash;
      const auto colour = [&](CanvasObject object) { return run.canvas.Maker(object)->color; };
      EXPECT_EQ(colour(discs[0].pen), PastelColors[a]);
      EXPECT_EQ(colour(discs[0].brush), clash ? FillColors[7] : VividColors[c]) << a << " " << c;
      EXPECT_EQ(colour(discs[1].pen), VividColors[b]);
      EXPECT_EQ(colour(discs[1].brush), PastelColors[a]);
    }
  }
  EXPECT_GT(clashes, 0);
}

// The load and the first draws of a jet starting at the cursor.
std::pair<std::vector<std::string>, std::vector<Point>> Fly(Rect area, Point start, int steps) {
  Stage run(area);
  run.host.cursor = [start](long long ms) { return ms == 0 ? start : Point{-500, -500}; };
  run.host.stopAtCheck = steps;
  RunWithItsSound(&BouncingIcon, run.canvas, run.host);
  std::pair<std::vector<std::string>, std::vector<Point>> flight;
  for (const auto& e : run.canvas.EventsOf(Op::LoadIcon)) flight.first.push_back(e.path);
  for (const auto& e : run.canvas.EventsOf(Op::Icon)) flight.second.push_back({e.x, e.y});
  return flight;
}

TEST(BouncingIconTest, TheCursorsQuarterPicksTheJetAndItsHeading) {
  struct Case {
    Point start;
    std::size_t jet;
    Point next;
  };
  for (const Case c : {Case{{512, 384}, 3, {532, 364}}, Case{{100, 100}, 0, {80, 120}},
                       Case{{900, 100}, 1, {920, 80}}, Case{{100, 700}, 2, {80, 720}},
                       Case{{900, 700}, 3, {920, 680}}}) {
    const auto [icons, draws] = Fly(Screen, c.start, 2);
    EXPECT_EQ(icons, std::vector<std::string>{media::JetIconFiles[c.jet]}) << c.start.x;
    EXPECT_EQ(draws, (std::vector<Point>{c.start, c.next})) << c.start.x << "," << c.start.y;
  }
}

TEST(BouncingIconTest, BouncesOffTheEdgesAndIsClampedIntoTheArea) {
  const Rect area{100, 50, 740, 530};
  // Down-left to the bottom (up at -21), then to the left edge (right at 20, pulled back in).
  EXPECT_EQ(Fly(area, {140, 470}, 5).second,
            (std::vector<Point>{{140, 470}, {120, 490}, {100, 510}, {100, 489}, {120, 468}}));
  // Above the top: pulled down to it, heading down at 20.
  EXPECT_EQ(Fly(area, {600, 60}, 3).second, (std::vector<Point>{{600, 60}, {620, 50}, {640, 70}}));
  // Within 36 of the right edge: back left at -21.
  EXPECT_EQ(Fly(area, {720, 300}, 2).second, (std::vector<Point>{{720, 300}, {699, 280}}));
  // Beyond the right and the bottom: drawn on them.
  EXPECT_EQ(Fly(area, {800, 600}, 2).second, (std::vector<Point>{{740, 530}, {719, 530}}));
}

TEST(BouncingIconTest, FifteenHundredStepsOfTwoMillisecondsToALoopingSound) {
  Stage run;
  run.host.cursor = [](long long) { return Point{512, 384}; };
  EXPECT_EQ(RunWithItsSound(&BouncingIcon, run.canvas, run.host), EffectEnd::Finished);
  const auto& events = run.canvas.Events();
  EXPECT_TRUE(events[1].op == Op::LoadIcon && events[2].op == Op::Sound &&
              events[3].op == Op::StopCheck);
  EXPECT_EQ(events[2].op, Op::Sound);
  EXPECT_EQ(events[2].value, static_cast<int>(media::SoundMode::Loop));
  EXPECT_EQ(Steps(run.canvas).size(), 1500u);
  EXPECT_EQ(run.host.ElapsedMs(), 3000);
  const auto draws = run.canvas.EventsOf(Op::Icon);
  ASSERT_EQ(draws.size(), 1500u);
  for (const auto& d : draws) {
    ASSERT_EQ(d.object, events[1].object);
    ASSERT_TRUE(d.x >= 0 && d.x <= 1024 && d.y >= 0 && d.y <= 768) << d.x << "," << d.y;
  }
  ExpectEndsCleanly(run.canvas, false);

  Stage bare;  // a missing jet still flies, undrawn
  bare.canvas.missingIcons = {media::JetIconFiles[3]};
  bare.host.cursor = run.host.cursor;
  bare.host.stopAtCheck = 10;
  EXPECT_EQ(RunWithItsSound(&BouncingIcon, bare.canvas, bare.host), EffectEnd::Stopped);
  EXPECT_TRUE(bare.canvas.EventsOf(Op::Icon).empty());
  EXPECT_EQ(bare.host.ElapsedMs(), 20);
}

class DiagonalRingsTest : public ManualClockTest {};

TEST_F(DiagonalRingsTest, FourRingsPerStepRunDiagonallyFromTheCursorInTwoFreshPens) {
  PinIndices(3, 6);
  Stage run;
  run.host.cursor = [](long long ms) {
    return Point{300 + static_cast<int>(ms), 200 + 2 * static_cast<int>(ms)};
  };
  run.host.stopAtCheck = 65;  // all of the first cycle and two steps of the second
  EXPECT_EQ(RunWithItsSound(&DiagonalRings, run.canvas, run.host), EffectEnd::Stopped);
  EXPECT_EQ(run.canvas.Events().front().op, Op::Sound);
  const CanvasObject hollow = run.canvas.EventsOf(Op::HollowBrush).at(0).object;

  const auto steps = Steps(run.canvas, Op::Ellipse);
  const CanvasObject firstPen = steps[0].at(0).pen;
  for (int s = 0; s < 65; ++s) {
    const auto& rings = steps[static_cast<std::size_t>(s)];
    const int x = 300 + 4 * s, y = 200 + 8 * s, d = 4 * (s % 63);  // four 1 ms sleeps a step
    ASSERT_EQ(rings.size(), 4u);
    EXPECT_EQ(rings[0].rect, (Rect{x + d - 10, y + d - 10, x + d + 70, y + d + 50})) << s;
    EXPECT_EQ(rings[1].rect, (Rect{x - d + 10, y - d + 10, x - d - 70, y - d - 50})) << s;
    EXPECT_EQ(rings[2].rect, (Rect{x - d + 10, y + d - 10, x - d - 70, y + d + 70})) << s;
    EXPECT_EQ(rings[3].rect, (Rect{x + d - 10, y - d + 10, x + d + 70, y - d - 70})) << s;
    const EffectEvent* a = run.canvas.Maker(rings[0].pen);
    const EffectEvent* b = run.canvas.Maker(rings[1].pen);
    EXPECT_TRUE(rings[2].pen == a->object && rings[3].pen == b->object) << s;
    EXPECT_TRUE(a->color == FillColors[6] && b->color == PastelColors[3]) << s;
    EXPECT_TRUE(a->value == 1 && b->value == 1);
    for (const auto& ring : rings) EXPECT_EQ(ring.brush, hollow);
    EXPECT_EQ(a->object == firstPen, s < 63) << s;  // a new pair for the second cycle
  }
  ExpectEndsCleanly(run.canvas, true);
}

TEST_F(DiagonalRingsTest, AHundredCyclesOfSixtyThreeStepsEachReleasingItsPens) {
  Stage run;
  EXPECT_EQ(RunWithItsSound(&DiagonalRings, run.canvas, run.host), EffectEnd::Finished);
  EXPECT_EQ(Steps(run.canvas).size(), 6300u);
  EXPECT_EQ(run.host.ElapsedMs(), 4 * 6300);
  EXPECT_EQ(run.canvas.EventsOf(Op::HollowBrush).size(), 1u);
  // At most one pair alive at a time, each pen drawing its 2 rings a step for one cycle.
  std::set<CanvasObject> alive;
  std::map<CanvasObject, int> rings;
  for (const EffectEvent& e : run.canvas.Events()) {
    if (e.op == Op::Pen) alive.insert(e.object);
    if (e.op == Op::Release) {
      ASSERT_EQ(alive.erase(e.object), 1u);
    }
    if (e.op == Op::Ellipse) {
      ASSERT_TRUE(alive.contains(e.pen));
      ++rings[e.pen];
    }
    ASSERT_LE(alive.size(), 2u);
  }
  EXPECT_TRUE(alive.empty());
  ASSERT_EQ(rings.size(), 200u);
  for (const auto& [pen, count] : rings) EXPECT_EQ(count, 2 * 63) << pen;
  ExpectEndsCleanly(run.canvas, false);
}

TEST(ShockwaveTest, RingsSpreadFromTheCursorUntilTheAreaIsCoveredThenAWhiteWipe) {
  // The wave, less its 60-pixel rim, must pass all four edges of 1024x768. From the centre the
  // sides come last: 512 - d + 60 <= 0 at d = 580, step 59; from the corner never. The other
  // starts each leave one edge last: left (860), top (760), right (790), bottom (730).
  for (const auto& [from, stepCount] :
       {std::pair{Point{512, 384}, 59}, std::pair{Point{0, 0}, 100}, std::pair{Point{800, 384}, 87},
        std::pair{Point{512, 700}, 77}, std::pair{Point{300, 600}, 80},
        std::pair{Point{600, 100}, 74}}) {
    const Point cursor = from;
    Stage run;
    run.host.cursor = [cursor](long long ms) { return ms == 0 ? cursor : Point{-7, 9}; };
    EXPECT_EQ(RunWithItsSound(&Shockwave, run.canvas, run.host), EffectEnd::Finished);
    const auto steps = Steps(run.canvas, Op::Ellipse);
    ASSERT_EQ(steps.size(), static_cast<std::size_t>(stepCount)) << cursor.x << "," << cursor.y;
    EXPECT_EQ(run.canvas.EventsOf(Op::Sound).at(0).value, static_cast<int>(media::SoundMode::Loop));
    EXPECT_EQ(run.canvas.EventsOf(Op::Pen).size(), 3u);
    // Pens A, B, C, A, C (widths 10, 8, 15), two circles each, the larger first.
    const std::array<int, 10> widths{10, 10, 8, 8, 15, 15, 10, 10, 15, 15};
    for (int s = 0; s < stepCount; ++s) {
      const int r = 10 * s + 30;
      const std::array<int, 10> radii{r + 130, r + 80, r + 100, r + 60, r + 70,
                                      r + 40,  r + 40, r + 20,  r + 10, r};
      const auto& circles = steps[static_cast<std::size_t>(s)];
      ASSERT_EQ(circles.size(), 10u) << s;
      for (std::size_t n = 0; n < 10; ++n) {
        EXPECT_EQ(circles[n].rect, Around(cursor.x, cursor.y, radii[n])) << s << " " << n;
        const EffectEvent* pen = run.canvas.Maker(circles[n].pen);
        EXPECT_TRUE(pen->value == widths[n] && pen->penStyle == PenStyle::InsideFrame &&
                    pen->color == MakeColor(0, 0, 0))
            << s << " " << n;
        EXPECT_EQ(run.canvas.Maker(circles[n].brush)->color, White);
      }
    }
    ASSERT_EQ(run.canvas.Calls().size(), 1u);
    EXPECT_TRUE(run.canvas.Calls()[0].area == Screen && run.canvas.Calls()[0].color == White);
    EXPECT_EQ(run.host.ElapsedMs(), 5 * stepCount);
    ExpectEndsCleanly(run.canvas, false);
  }
}

TEST(ShockwaveTest, AStopEndsWithoutTheWipe) {
  Stage run;
  run.host.stopAtCheck = 3;
  EXPECT_EQ(RunWithItsSound(&Shockwave, run.canvas, run.host), EffectEnd::Stopped);
  EXPECT_EQ(run.canvas.EventsOf(Op::Ellipse).size(), 30u);
  EXPECT_TRUE(run.canvas.Calls().empty());
  ExpectEndsCleanly(run.canvas, true);
}

TEST(CursorEffectsTest, AnEmptyAreaEndsEachEffectAtOnceWithoutSoundOrDrawing) {
  for (const EffectRoutine routine : {&TwinOrbit, &BouncingIcon, &DiagonalRings, &Shockwave}) {
    for (const Rect area : {Rect{0, 0, 0, 768}, Rect{0, 0, 1024, 0}, Rect{300, 100, 200, 400}}) {
      Stage run(area);
      EXPECT_EQ(RunWithItsSound(routine, run.canvas, run.host), EffectEnd::Finished);
      EXPECT_TRUE(run.canvas.Events().empty() && run.canvas.Calls().empty());
    }
  }
}

}  // namespace
