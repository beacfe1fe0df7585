#include "effects/EffectControl.h"

EffectControl& TheEffectControl() {
  static EffectControl control;
  return control;
}
