#pragma once
#include <vector>

#include "core/Canvas.h"
#include "effects/EffectHost.h"

// What an effect works with while it runs: its canvas, its host and the drawing area, which is
// never empty. The scope owns the pens, brushes and icons the effect keeps in it; however the
// effect ends, the scope stops the sound and then releases them.
class EffectScope {
 public:
  EffectScope(Canvas& effectCanvas, EffectHost& effectHost, const Rect& drawingArea)
      : canvas(effectCanvas), host(effectHost), area(drawingArea) {}
  EffectScope(const EffectScope&) = delete;
  EffectScope& operator=(const EffectScope&) = delete;
  ~EffectScope();

  // Keeps an object the canvas made (NoObject is not kept) and gives it back.
  CanvasObject Keep(CanvasObject object);
  // Releases a kept object before the end.
  void Release(CanvasObject object);
  // Stops the sound now, for an effect that draws a closing picture after it; the end then leaves
  // the sound alone.
  void EndSound();

  Canvas& canvas;
  EffectHost& host;
  const Rect area;

 private:
  std::vector<CanvasObject> kept_;
  bool soundEnded_ = false;
};
