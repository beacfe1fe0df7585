// A shock wave: black rings on white spreading from where the cursor was until they cover the
// whole area, then a white wipe.
#include "effects/Effects.h"

namespace {

// A circle of radius q round the centre.
void Circle(Canvas& canvas, Point centre, int q) {
  canvas.Ellipse({centre.x - q, centre.y - q, centre.x + q, centre.y + q});
}

}  // namespace

EffectEnd Shockwave(Canvas& canvas, EffectHost& host) {
  const Rect area = canvas.ClipBox();
  if (DrawingAreaIsEmpty(area)) return EffectEnd::Finished;

  const Point centre = host.CursorPosition();
  const ColorRef white = MakeColor(255, 255, 255);
  const ColorRef black = MakeColor(0, 0, 0);
  const CanvasObject brush = canvas.CreateSolidBrush(white);
  canvas.Select(brush);
  const CanvasObject penA = canvas.CreatePen(PenStyle::InsideFrame, 10, black);
  const CanvasObject penB = canvas.CreatePen(PenStyle::InsideFrame, 8, black);
  const CanvasObject penC = canvas.CreatePen(PenStyle::InsideFrame, 15, black);
  canvas.Select(penA);
  const auto release = [&] {
    for (const CanvasObject object : {brush, penA, penB, penC}) canvas.Release(object);
  };

  host.PlaySound(media::ShockwaveSound);
  for (int d = 0; d < 1000; d += 10) {
    if (host.StopRequested()) {
      host.StopSound();
      release();
      return EffectEnd::Stopped;
    }
    // Five pairs of rings, largest first, each pair drawn over the one before.
    const int r = d + 30;
    host.Sleep(1);
    Circle(canvas, centre, r + 130);
    Circle(canvas, centre, r + 80);
    canvas.Select(penB);
    host.Sleep(1);
    Circle(canvas, centre, r + 100);
    Circle(canvas, centre, r + 60);
    canvas.Select(penC);
    host.Sleep(1);
    Circle(canvas, centre, r + 70);
    Circle(canvas, centre, r + 40);
    canvas.Select(penA);
    host.Sleep(1);
    Circle(canvas, centre, r + 40);
    Circle(canvas, centre, r + 20);
    canvas.Select(penC);
    host.Sleep(1);
    Circle(canvas, centre, r + 10);
    Circle(canvas, centre, r);
    // Done once the wave, less its 60-pixel rim, reaches past every edge.
    if (centre.x - d + 60 <= area.left && centre.y - d + 60 <= area.top &&
        centre.x + d - 60 >= area.right && centre.y + d - 60 >= area.bottom) {
      break;
    }
    canvas.Select(penA);
  }
  host.StopSound();
  canvas.PaintSolid(area, white);
  release();
  return EffectEnd::Finished;
}
