#pragma once
#include <atomic>
#include <cstdint>

// The record through which the play surface asks running effects to stop. The interface thread
// raises a request by storing 1; each effect thread polls it at the start of its next step.
struct EffectControl {
  std::atomic<std::int32_t> stopByKey{0};
  std::atomic<std::int32_t> stopByRightButton{0};
};

EffectControl& TheEffectControl();
