#include "effects/EffectScope.h"

#include <algorithm>
#include <utility>

EffectScope::~EffectScope() {
  EndSound();
  for (const CanvasObject object : kept_) canvas.Release(object);
}

CanvasObject EffectScope::Keep(CanvasObject object) {
  if (object != NoObject) kept_.push_back(object);
  return object;
}

void EffectScope::Release(CanvasObject object) {
  if (std::erase(kept_, object) != 0) canvas.Release(object);
}

void EffectScope::EndSound() {
  if (!std::exchange(soundEnded_, true)) host.StopSound();
}
