// The scattering effects: hatched circles in three places at once, falling sparkles, and circles
// that grow cycle by cycle.
#include <array>
#include <cstdint>

#include "core/CRandomPicker.h"
#include "core/MediaTable.h"
#include "core/RandomGenerator.h"
#include "effects/Effects.h"

namespace {

struct Spot {
  int x;
  int y;
};

// A point from the generator: x below w, y below h, plus a shift.
Spot DrawSpot(int w, int h, int shift = 0) {
  const int x = random_generator::Draw() % w + shift;
  const int y = random_generator::Draw() % h + shift;
  return {x, y};
}

void SelectPair(Canvas& canvas, CanvasObject pen, CanvasObject brush) {
  canvas.Select(pen);
  canvas.Select(brush);
}

// A square's ellipse with its top-left corner at (x, y).
void Circle(Canvas& canvas, int x, int y, int size) { canvas.Ellipse({x, y, x + size, y + size}); }

}  // namespace

EffectEnd HatchScatter(EffectScope& effect) {
  Canvas& canvas = effect.canvas;
  const int w = effect.area.Width();
  const int h = effect.area.Height();
  effect.host.PlaySound();

  const CRandomPicker picker;
  const auto pen = [&](ColorRef color) { return effect.Keep(canvas.CreatePen(PenStyle::InsideFrame, 1, color)); };
  const auto hatch = [&](HatchStyle style, ColorRef color) { return effect.Keep(canvas.CreateHatchBrush(style, color)); };
  // Each colour is a pick of its own, in this order.
  const CanvasObject pen1 = pen(picker.FillColor());
  const CanvasObject pen2 = pen(picker.PastelColor());
  const CanvasObject pen3 = pen(picker.VividColor());
  const CanvasObject brush1 = hatch(HatchStyle::Cross, picker.FillColor());
  const CanvasObject brush2 = hatch(HatchStyle::DiagonalCross, picker.PastelColor());
  const CanvasObject brush3 = hatch(HatchStyle::Cross, picker.VividColor());
  SelectPair(canvas, pen1, brush1);

  // Each step seeds from its own number, so the picture is the same on every run.
  for (std::uint32_t n = 20; n < 10020; ++n) {
    if (effect.host.StopRequested()) return EffectEnd::Stopped;
    random_generator::Seed(n - 18);
    Spot at = DrawSpot(w, h, 1);
    Circle(canvas, at.x, at.y, 30);
    effect.host.Sleep(1);

    random_generator::Seed(n);
    at = DrawSpot(w, h, 1);
    SelectPair(canvas, pen2, brush2);
    Circle(canvas, at.x + 40, at.y + 40, 30);

    random_generator::Seed(n + 180);
    at = DrawSpot(w, h, 1);
    SelectPair(canvas, pen3, brush3);
    Circle(canvas, at.x - 40, at.y - 40, 30);
    SelectPair(canvas, pen1, brush1);
  }
  return EffectEnd::Finished;
}

EffectEnd Sparkle(EffectScope& effect) {
  Canvas& canvas = effect.canvas;
  EffectHost& host = effect.host;
  const int w = effect.area.Width();
  const int h = effect.area.Height();
  host.PlaySound();

  std::array<CanvasObject, media::SparkleIconFiles.size()> icons{};
  for (std::size_t k = 0; k < icons.size(); ++k) icons[k] = effect.Keep(canvas.LoadIcon(media::SparkleIconFiles[k]));
  random_generator::Seed(static_cast<std::uint32_t>(host.CalendarSeconds()));

  // One row: a sparkle centred on a random point, or the other one hanging from it. A missing icon
  // leaves a gap and nothing else changes.
  const auto row = [&](bool centred, CanvasObject centredIcon, CanvasObject hangingIcon) {
    const Spot at = DrawSpot(w, h);
    const CanvasObject icon = centred ? centredIcon : hangingIcon;
    if (icon == NoObject) return;
    if (centred) {
      canvas.DrawIcon(icon, at.x - 16, at.y - 16);
    } else {
      canvas.DrawIcon(icon, at.x, at.y);
    }
  };

  for (int i = 0; i < 5000; ++i) {
    if (host.StopRequested()) return EffectEnd::Stopped;
    host.Sleep(1);
    row((i / 16) % 3 != 0, icons[0], icons[1]);
    host.Sleep(random_generator::Draw() % 5 + 1);
    row(i % 3 != 0, icons[2], icons[3]);
    host.Sleep(random_generator::Draw() % 2 + 1);
    row(i % 2 != 0, icons[4], icons[5]);
    host.Sleep(random_generator::Draw() % 3 + 1);
    row((i / 4) % 3 != 0, icons[6], icons[7]);
  }
  return EffectEnd::Finished;
}

EffectEnd GrowingCircles(EffectScope& effect) {
  Canvas& canvas = effect.canvas;
  EffectHost& host = effect.host;
  const Rect& area = effect.area;
  const int w = area.Width();
  const int h = area.Height();

  const CRandomPicker picker;
  const std::array<ColorRef, 3> colors = {picker.FillColor(), picker.PastelColor(), picker.VividColor()};
  std::array<CanvasObject, 3> pens{};
  std::array<CanvasObject, 3> brushes{};
  for (std::size_t k = 0; k < 3; ++k) pens[k] = effect.Keep(canvas.CreatePen(PenStyle::InsideFrame, 1, colors[k]));
  for (std::size_t k = 0; k < 3; ++k) brushes[k] = effect.Keep(canvas.CreateSolidBrush(colors[k]));
  SelectPair(canvas, pens[0], brushes[0]);

  host.PlaySound();
  // Seeded after the colour picks, which reseed the generator themselves.
  random_generator::Seed(static_cast<std::uint32_t>(host.CalendarSeconds()));

  // A circle of diameter 2g+50 around a random point, moved down and right by `offset`.
  const auto grown = [&](int g, int offset) {
    const Spot at = DrawSpot(w, h);
    const int left = at.x - g + offset;
    const int top = at.y - g + offset;
    return Rect{left, top, left + 2 * g + 50, top + 2 * g + 50};
  };

  for (int g = 0; g <= 240; g += 20) {
    const int s = g / 10;
    for (int k = 0; k < 40; ++k) {
      if (host.StopRequested()) return EffectEnd::Stopped;
      host.Sleep(s + 3);
      canvas.Ellipse(grown(g, (k / 16) % 3 != 0 ? 0 : 20));
      host.Sleep(s + 6);
      Rect bounds = grown(g, k % 3 != 0 ? 40 : 80);
      SelectPair(canvas, pens[1], brushes[1]);
      canvas.Ellipse(bounds);
      host.Sleep(s + 12);
      bounds = grown(g, k % 2 != 0 ? 120 : 160);
      SelectPair(canvas, pens[2], brushes[2]);
      canvas.Ellipse(bounds);
      SelectPair(canvas, pens[0], brushes[0]);
    }
  }

  // The closing circle: as tall as the area, centred across it (pen and brush 1 are selected).
  host.Sleep(50);
  const int e = (w - h) / 2;
  canvas.Ellipse({area.left + e, area.top, area.left + e + h, area.bottom});
  return EffectEnd::Finished;
}
