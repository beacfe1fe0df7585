// Effects on threads of their own, as the toy runs them, stopped through the shared record by
// another thread. Built with ThreadSanitizer as well, so a request read without synchronisation
// or a generator shared between threads shows up as a race.
#include <atomic>
#include <chrono>
#include <future>
#include <thread>

#include <gtest/gtest.h>

#include "RecordingCanvas.h"
#include "effects/EffectControl.h"
#include "effects/Effects.h"

namespace {

// A host that reads the shared record as the product's does and sleeps for real.
class ThreadHost final : public EffectHost {
 public:
  std::atomic<int> steps{0};

  bool StopRequested() override {
    const EffectControl& control = TheEffectControl();
    const bool stop = control.stopByKey.load() != 0 || control.stopByRightButton.load() != 0;
    if (!stop) ++steps;
    return stop;
  }
  void Sleep(int milliseconds) override { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }
  Point CursorPosition() override { return {300, 200}; }
  std::int64_t CalendarSeconds() override { return 1'700'000'000; }
  void PlaySound() override {}
  void StopSound() override {}
};

struct RunningEffect {
  RecordingCanvas canvas{Rect{0, 0, 640, 480}};
  ThreadHost host;
  std::future<EffectEnd> end;

  void Start(EffectRoutine routine) {
    end = std::async(std::launch::async, [this, routine] { return RunEffect(routine, canvas, host); });
  }
  void WaitForSteps(int count) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (host.steps.load() < count && std::chrono::steady_clock::now() < deadline) std::this_thread::yield();
  }
};

TEST(EffectThreads, OneRequestStopsEveryRunningEffectWithinAStep) {
  EffectControl& control = TheEffectControl();
  control.stopByKey = 0;
  control.stopByRightButton = 0;
  RunningEffect scatter;
  RunningEffect orbit;
  scatter.Start(&HatchScatter);
  orbit.Start(&TwinOrbit);
  scatter.WaitForSteps(5);
  orbit.WaitForSteps(5);
  ASSERT_GE(scatter.host.steps.load(), 5);
  ASSERT_GE(orbit.host.steps.load(), 5);

  control.stopByRightButton = 1;
  const int scatterSteps = scatter.host.steps.load();
  const int orbitSteps = orbit.host.steps.load();
  for (RunningEffect* effect : {&scatter, &orbit}) {
    ASSERT_EQ(effect->end.wait_for(std::chrono::seconds(5)), std::future_status::ready) << "an effect kept running";
    EXPECT_EQ(effect->end.get(), EffectEnd::Stopped);
  }
  // A step that had already begun finishes; no further step starts.
  EXPECT_LE(scatter.host.steps.load(), scatterSteps + 1);
  EXPECT_LE(orbit.host.steps.load(), orbitSteps + 1);
  // Each effect released what it made, on its own canvas.
  for (const RunningEffect* effect : {&scatter, &orbit}) {
    EXPECT_EQ(effect->canvas.EventsOf(EffectEvent::Op::Release).size(),
              effect->canvas.EventsOf(EffectEvent::Op::Pen).size() +
                  effect->canvas.EventsOf(EffectEvent::Op::SolidBrush).size() +
                  effect->canvas.EventsOf(EffectEvent::Op::HatchBrush).size());
  }
  control.stopByRightButton = 0;
}

// The generator belongs to each thread: two effects seeding and drawing at once each get the
// picture they get alone.
TEST(EffectThreads, EffectsRunningSideBySideDrawWhatEachDrawsAlone) {
  EffectControl& control = TheEffectControl();
  control.stopByKey = 0;
  control.stopByRightButton = 0;
  const auto ellipsesAlone = [] {
    RecordingCanvas canvas(Rect{0, 0, 640, 480});
    RecordingEffectHost host(canvas);
    host.stopAtCheck = 300;
    RunEffect(&HatchScatter, canvas, host);
    std::vector<Rect> ellipses;
    for (const EffectEvent& e : canvas.EventsOf(EffectEvent::Op::Ellipse)) ellipses.push_back(e.rect);
    return ellipses;
  };
  const std::vector<Rect> expected = ellipsesAlone();
  std::future<std::vector<Rect>> first = std::async(std::launch::async, ellipsesAlone);
  std::future<std::vector<Rect>> second = std::async(std::launch::async, ellipsesAlone);
  EXPECT_EQ(first.get(), expected);
  EXPECT_EQ(second.get(), expected);
}

}  // namespace
