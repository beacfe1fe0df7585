#pragma once
#include <optional>
#include <vector>

#include "surface/Canvas.h"

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
  Rect clip_;
  std::vector<Call> calls_;
  int clipBoxQueries_ = 0;
};
