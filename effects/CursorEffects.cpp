// The effects that follow the mouse cursor: two discs orbiting it, a jet bouncing off the edges
// from where the cursor was, and rings running diagonally away from it.
#include <cmath>
#include <numbers>

#include "core/CRandomPicker.h"
#include "core/MediaTable.h"
#include "effects/Effects.h"

namespace {

// An offset of radius * f(angle), with the fraction dropped toward zero.
int Offset(int radius, double value) { return static_cast<int>(std::trunc(radius * value)); }

void Disc(Canvas& canvas, int x, int y) { canvas.Ellipse({x - 10, y - 10, x + 10, y + 10}); }

// A velocity turned round; one leaving upwards or leftwards is made a pixel a step faster.
int Reflect(int v) {
  v = -v;
  if (v < 0) v = v - 1;
  return v;
}

}  // namespace

EffectEnd TwinOrbit(EffectScope& effect) {
  Canvas& canvas = effect.canvas;
  EffectHost& host = effect.host;
  host.PlaySound();
  const CRandomPicker picker;
  const ColorRef a = picker.PastelColor();
  const ColorRef b = picker.VividColor();
  ColorRef c = picker.VividColor();
  // The fill of the large disc must differ from the small disc's.
  if (c == a) c = picker.FillColor();

  const CanvasObject pen1 = effect.Keep(canvas.CreatePen(PenStyle::Solid, 5, a));
  const CanvasObject pen2 = effect.Keep(canvas.CreatePen(PenStyle::Solid, 5, b));
  const CanvasObject brush1 = effect.Keep(canvas.CreateSolidBrush(c));
  const CanvasObject brush2 = effect.Keep(canvas.CreateSolidBrush(a));
  canvas.Select(pen1);
  canvas.Select(brush1);

  constexpr double pi = std::numbers::pi;
  for (int i = 0; i < 36000; ++i) {
    if (host.StopRequested()) return EffectEnd::Stopped;
    const Point cursor = host.CursorPosition();
    host.Sleep(1);
    // The large disc: radius 60, once round in 1080 steps.
    const double t = i * pi / 540.0;
    Disc(canvas, cursor.x + Offset(60, std::sin(t)), cursor.y + Offset(60, std::cos(t)));
    canvas.Select(pen2);
    canvas.Select(brush2);
    // The small disc: radius 30, the other way round in 720 steps.
    const double u = -i * pi / 360.0;
    Disc(canvas, cursor.x + Offset(30, std::sin(u)), cursor.y + Offset(30, std::cos(u)));
    canvas.Select(pen1);
    canvas.Select(brush1);
  }
  return EffectEnd::Finished;
}

EffectEnd BouncingIcon(EffectScope& effect) {
  Canvas& canvas = effect.canvas;
  EffectHost& host = effect.host;
  const Rect& area = effect.area;

  const Point start = host.CursorPosition();
  int x = start.x;
  int y = start.y;

  // The quarter of the area the cursor is in picks the jet (upper left, upper right, lower left,
  // lower right) and its heading: from the right half up and right, from the left half down and
  // left. On a dividing line the later quarter wins.
  const bool rightHalf = x >= area.Width() / 2;
  const bool lowerHalf = y >= area.Height() / 2;
  const std::size_t jet = (lowerHalf ? 2 : 0) + (rightHalf ? 1 : 0);
  int vx = rightHalf ? 20 : -20;
  int vy = rightHalf ? -20 : 20;
  const CanvasObject icon = effect.Keep(canvas.LoadIcon(media::JetIconFiles[jet]));

  host.PlaySound();
  for (int step = 0; step < 1500; ++step) {
    if (host.StopRequested()) return EffectEnd::Stopped;
    host.Sleep(2);
    if (y < area.top) vy = Reflect(vy);
    if (x + 36 > area.right) vx = Reflect(vx);
    if (y + 36 > area.bottom) vy = Reflect(vy);
    if (x < area.left) {
      vx = Reflect(vx);
      x = area.left;
    }
    if (x > area.right) x = area.right;
    if (y < area.top) y = area.top;
    if (y > area.bottom) y = area.bottom;
    if (icon != NoObject) canvas.DrawIcon(icon, x, y);
    x += vx;
    y += vy;
  }
  return EffectEnd::Finished;
}

EffectEnd DiagonalRings(EffectScope& effect) {
  Canvas& canvas = effect.canvas;
  EffectHost& host = effect.host;
  host.PlaySound();
  // The stock hollow brush is the canvas's own: selected, never released.
  canvas.Select(canvas.HollowBrush());
  const CRandomPicker picker;
  for (int cycle = 0; cycle < 100; ++cycle) {
    const CanvasObject penA = effect.Keep(canvas.CreatePen(PenStyle::Solid, 1, picker.FillColor()));
    const CanvasObject penB = effect.Keep(canvas.CreatePen(PenStyle::Solid, 1, picker.PastelColor()));
    canvas.Select(penA);
    for (int d = 0; d <= 248; d += 4) {
      if (host.StopRequested()) return EffectEnd::Stopped;
      const Point c = host.CursorPosition();
      // One ring towards each diagonal: down-right, up-left, down-left, up-right.
      host.Sleep(1);
      canvas.Ellipse({c.x + d - 10, c.y + d - 10, c.x + d + 70, c.y + d + 50});
      canvas.Select(penB);
      host.Sleep(1);
      canvas.Ellipse({c.x - d + 10, c.y - d + 10, c.x - d - 70, c.y - d - 50});
      canvas.Select(penA);
      host.Sleep(1);
      canvas.Ellipse({c.x - d + 10, c.y + d - 10, c.x - d - 70, c.y + d + 70});
      canvas.Select(penB);
      host.Sleep(1);
      canvas.Ellipse({c.x + d - 10, c.y - d + 10, c.x + d + 70, c.y - d - 70});
      canvas.Select(penA);
    }
    effect.Release(penA);
    effect.Release(penB);
  }
  return EffectEnd::Finished;
}
