// A shock wave: black rings on white spreading from where the cursor was until they cover the
// whole area, then a white wipe.
#include <array>

#include "effects/Effects.h"

namespace {

// The three pens the rings are drawn with, by their widths.
constexpr std::array<int, 3> PenWidths = {10, 8, 15};

// One step's rings, largest pair first, each pair drawn over the one before: the pen, and the two
// radii beyond the step's radius.
struct RingPair {
  std::size_t pen;
  int outer;
  int inner;
};
constexpr std::array<RingPair, 5> StepRings = {{{0, 130, 80}, {1, 100, 60}, {2, 70, 40}, {0, 40, 20}, {2, 10, 0}}};

// A circle of radius q round the centre.
void Circle(Canvas& canvas, Point centre, int q) {
  canvas.Ellipse({centre.x - q, centre.y - q, centre.x + q, centre.y + q});
}

}  // namespace

EffectEnd Shockwave(EffectScope& effect) {
  Canvas& canvas = effect.canvas;
  EffectHost& host = effect.host;
  const Rect& area = effect.area;

  const Point centre = host.CursorPosition();
  const ColorRef white = MakeColor(255, 255, 255);
  const CanvasObject brush = effect.Keep(canvas.CreateSolidBrush(white));
  canvas.Select(brush);
  std::array<CanvasObject, PenWidths.size()> pens{};
  for (std::size_t k = 0; k < pens.size(); ++k) {
    pens[k] = effect.Keep(canvas.CreatePen(PenStyle::InsideFrame, PenWidths[k], MakeColor(0, 0, 0)));
  }
  canvas.Select(pens[StepRings[0].pen]);

  host.PlaySound();
  for (int d = 0; d < 1000; d += 10) {
    if (host.StopRequested()) return EffectEnd::Stopped;
    const int r = d + 30;
    for (std::size_t n = 0; n < StepRings.size(); ++n) {
      if (n > 0) canvas.Select(pens[StepRings[n].pen]);
      host.Sleep(1);
      Circle(canvas, centre, r + StepRings[n].outer);
      Circle(canvas, centre, r + StepRings[n].inner);
    }
    // Done once the wave, less its 60-pixel rim, reaches past every edge.
    if (centre.x - d + 60 <= area.left && centre.y - d + 60 <= area.top &&
        centre.x + d - 60 >= area.right && centre.y + d - 60 >= area.bottom) {
      break;
    }
    canvas.Select(pens[StepRings[0].pen]);
  }
  effect.EndSound();
  canvas.PaintSolid(area, white);
  return EffectEnd::Finished;
}
