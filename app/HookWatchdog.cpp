#include "app/HookWatchdog.h"

HookHealth HookWatchdog::RawKeyArrived(std::uint32_t nowMs, std::uint32_t hookSightings) {
  if (hookSightings == seen_ && !waiting_) {
    waiting_ = true;
    waitingSince_ = nowMs;
  }
  return Recheck(nowMs, hookSightings);
}

HookHealth HookWatchdog::Recheck(std::uint32_t nowMs, std::uint32_t hookSightings) {
  if (hookSightings != seen_) {
    seen_ = hookSightings;
    waiting_ = false;
    return HookHealth::Alive;
  }
  if (!waiting_) return HookHealth::Alive;
  if (nowMs - waitingSince_ < GraceMs) return HookHealth::Waiting;
  waiting_ = false;
  return HookHealth::Lost;
}

void HookWatchdog::HookReplaced(std::uint32_t hookSightings) {
  seen_ = hookSightings;
  waiting_ = false;
}
