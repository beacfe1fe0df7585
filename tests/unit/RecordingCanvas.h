#pragma once
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/Canvas.h"
#include "core/MediaTable.h"
#include "effects/EffectHost.h"
#include "effects/EffectsMenuTable.h"

// One thing an effect did, on its canvas or through its host, in the order it happened.
struct EffectEvent {
  enum class Op { Pen, SolidBrush, HatchBrush, HollowBrush, LoadIcon, Select, Release, Ellipse, Icon,
                  StopCheck, Sleep, Cursor, Sound, StopSound };
  Op op;
  CanvasObject object = NoObject;  // made, selected, released or drawn (icons)
  Rect rect{};                     // an ellipse's bounds
  int x = 0, y = 0;                // an icon's top-left corner
  int value = 0;                   // a pen's width, a sleep's milliseconds
  PenStyle penStyle = PenStyle::Solid;
  HatchStyle hatch = HatchStyle::Horizontal;
  ColorRef color = 0;
  std::string path{};              // an icon's or a sound's file
  CanvasObject pen = NoObject;     // selected when an ellipse was drawn
  CanvasObject brush = NoObject;
};

// A canvas that draws nothing and keeps every call, so a fill's geometry and colours can be
// compared with what it should have drawn.
class RecordingCanvas final : public Canvas {
 public:
  enum class Kind { Solid, Hatched, Framed, Band };
  struct Call {
    Kind kind;
    Rect area;
    ColorRef color;
    std::optional<HatchStyle> style;
  };

  explicit RecordingCanvas(Rect clip) : clip_(clip) {}

  // Icon files that count as missing.
  std::set<std::string> missingIcons;

  Rect ClipBox() override {
    ++clipBoxQueries_;
    return clip_;
  }
  void PaintSolid(const Rect& area, ColorRef color) override {
    calls_.push_back({Kind::Solid, area, color, std::nullopt});
  }
  void HatchedRectangle(const Rect& area, HatchStyle style, ColorRef color) override {
    calls_.push_back({Kind::Hatched, area, color, style});
  }
  void FramedRectangle(const Rect& area, ColorRef color) override {
    calls_.push_back({Kind::Framed, area, color, std::nullopt});
  }
  void OpaqueBand(const Rect& area, ColorRef color) override {
    calls_.push_back({Kind::Band, area, color, std::nullopt});
  }

  CanvasObject CreatePen(PenStyle style, int width, ColorRef color) override {
    EffectEvent e{.op = EffectEvent::Op::Pen};
    e.object = ++lastObject_;
    e.penStyle = style;
    e.value = width;
    e.color = color;
    return Log(e).object;
  }
  CanvasObject CreateSolidBrush(ColorRef color) override {
    EffectEvent e{.op = EffectEvent::Op::SolidBrush};
    e.object = ++lastObject_;
    e.color = color;
    return Log(e).object;
  }
  CanvasObject CreateHatchBrush(HatchStyle style, ColorRef color) override {
    EffectEvent e{.op = EffectEvent::Op::HatchBrush};
    e.object = ++lastObject_;
    e.hatch = style;
    e.color = color;
    return Log(e).object;
  }
  CanvasObject HollowBrush() override {
    EffectEvent e{.op = EffectEvent::Op::HollowBrush};
    e.object = ++lastObject_;
    return Log(e).object;
  }
  CanvasObject LoadIcon(const char* path) override {
    EffectEvent e{.op = EffectEvent::Op::LoadIcon};
    e.path = path;
    e.object = missingIcons.contains(path) ? NoObject : ++lastObject_;
    return Log(e).object;
  }
  void Select(CanvasObject penOrBrush) override {
    EffectEvent e{.op = EffectEvent::Op::Select};
    e.object = penOrBrush;
    Log(e);
    if (IsPen(penOrBrush)) {
      selectedPen_ = penOrBrush;
    } else {
      selectedBrush_ = penOrBrush;
    }
  }
  void Release(CanvasObject object) override {
    EffectEvent e{.op = EffectEvent::Op::Release};
    e.object = object;
    Log(e);
  }
  void Ellipse(const Rect& bounds) override {
    EffectEvent e{.op = EffectEvent::Op::Ellipse};
    e.rect = bounds;
    e.pen = selectedPen_;
    e.brush = selectedBrush_;
    Log(e);
  }
  void DrawIcon(CanvasObject icon, int x, int y) override {
    EffectEvent e{.op = EffectEvent::Op::Icon};
    e.object = icon;
    e.x = x;
    e.y = y;
    Log(e);
  }

  // Everything the effect did, on this canvas and through a RecordingEffectHost.
  const std::vector<EffectEvent>& Events() const { return events_; }
  std::vector<EffectEvent> EventsOf(EffectEvent::Op op) const {
    std::vector<EffectEvent> found;
    for (const EffectEvent& e : events_) {
      if (e.op == op) found.push_back(e);
    }
    return found;
  }
  // The event that made an object.
  const EffectEvent* Maker(CanvasObject object) const {
    for (const EffectEvent& e : events_) {
      if (e.object == object && e.op <= EffectEvent::Op::LoadIcon) return &e;
    }
    return nullptr;
  }
  const EffectEvent& Log(const EffectEvent& event) {
    events_.push_back(event);
    return events_.back();
  }

  const std::vector<Call>& Calls() const { return calls_; }
  int ClipBoxQueries() const { return clipBoxQueries_; }

  // Every call, checking that they were all of one kind.
  bool AllOfKind(Kind kind) const {
    for (const Call& call : calls_) {
      if (call.kind != kind) return false;
    }
    return true;
  }
  std::vector<ColorRef> Colors() const {
    std::vector<ColorRef> colors;
    for (const Call& call : calls_) colors.push_back(call.color);
    return colors;
  }
  std::vector<Rect> Areas() const {
    std::vector<Rect> areas;
    for (const Call& call : calls_) areas.push_back(call.area);
    return areas;
  }

 private:
  bool IsPen(CanvasObject object) const {
    const EffectEvent* maker = Maker(object);
    return maker != nullptr && maker->op == EffectEvent::Op::Pen;
  }

  Rect clip_;
  std::vector<Call> calls_;
  int clipBoxQueries_ = 0;
  std::vector<EffectEvent> events_;
  CanvasObject lastObject_ = NoObject;
  CanvasObject selectedPen_ = NoObject;
  CanvasObject selectedBrush_ = NoObject;
};

// An effect host that sleeps on a fake clock: every sleep, cursor read, stop check and sound goes
// into the canvas's event log. A stop can be asked for at a given stop check.
class RecordingEffectHost final : public EffectHost {
 public:
  explicit RecordingEffectHost(RecordingCanvas& canvas) : canvas_(canvas) {}

  std::optional<int> stopAtCheck;  // 0-based: the stop check that first sees the request
  std::function<Point(long long elapsedMs)> cursor = [](long long) { return Point{}; };
  std::int64_t seconds = 1'700'000'000;

  bool StopRequested() override {
    const int check = checks_++;
    EffectEvent e{.op = EffectEvent::Op::StopCheck};
    e.value = check;
    canvas_.Log(e);
    return stopAtCheck && check >= *stopAtCheck;
  }
  void Sleep(int milliseconds) override {
    EffectEvent e{.op = EffectEvent::Op::Sleep};
    e.value = milliseconds;
    canvas_.Log(e);
    elapsedMs_ += milliseconds;
  }
  Point CursorPosition() override {
    const Point at = cursor(elapsedMs_);
    EffectEvent e{.op = EffectEvent::Op::Cursor};
    e.x = at.x;
    e.y = at.y;
    canvas_.Log(e);
    return at;
  }
  std::int64_t CalendarSeconds() override { return seconds; }
  // The effect's own sound, as the effects menu gives it.
  media::Sound sound{"", media::SoundMode::Play, media::SoundGate::OtherSounds};

  void PlaySound() override {
    EffectEvent e{.op = EffectEvent::Op::Sound};
    e.path = sound.path;
    e.value = static_cast<int>(sound.mode);
    canvas_.Log(e);
  }
  void StopSound() override { canvas_.Log(EffectEvent{.op = EffectEvent::Op::StopSound}); }

  long long ElapsedMs() const { return elapsedMs_; }

 private:
  RecordingCanvas& canvas_;
  int checks_ = 0;
  long long elapsedMs_ = 0;
};

// Runs an effect as the effect runner does, with the sound its item in the effects menu gives it.
inline EffectEnd RunWithItsSound(EffectRoutine routine, RecordingCanvas& canvas, RecordingEffectHost& host) {
  for (const effects_menu::Item& item : effects_menu::Items) {
    if (item.routine == routine) host.sound = item.sound;
  }
  return RunEffect(routine, canvas, host);
}
