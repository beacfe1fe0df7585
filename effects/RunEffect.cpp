#include "effects/Effects.h"

EffectEnd RunEffect(EffectRoutine routine, Canvas& canvas, EffectHost& host) {
  const Rect area = canvas.ClipBox();
  if (area.Width() <= 0 || area.Height() <= 0) return EffectEnd::Finished;
  EffectScope scope(canvas, host, area);
  return routine(scope);
}
