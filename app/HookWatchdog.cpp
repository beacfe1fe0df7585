#include "app/HookWatchdog.h"

namespace {

// Time stamps wrap after 49.7 days; `a` is as late as `b` when it is at most half that range behind.
bool AsLate(std::uint32_t a, std::uint32_t b) { return static_cast<std::int32_t>(a - b) >= 0; }

}  // namespace

HookHealth HookWatchdog::RawKeyArrived(std::uint32_t keyTimeMs, std::uint32_t nowMs, std::uint32_t sightingMs) {
  if (!waiting_ && AsLate(keyTimeMs, replacedAt_) && !AsLate(sightingMs, keyTimeMs)) {
    waiting_ = true;
    waitingFor_ = keyTimeMs;
    waitingSince_ = nowMs;
  }
  return Recheck(nowMs, sightingMs);
}

HookHealth HookWatchdog::Recheck(std::uint32_t nowMs, std::uint32_t sightingMs) {
  if (!waiting_ || AsLate(sightingMs, waitingFor_)) {
    waiting_ = false;
    return HookHealth::Alive;
  }
  if (nowMs - waitingSince_ < GraceMs) return HookHealth::Waiting;
  waiting_ = false;
  return HookHealth::Lost;
}

void HookWatchdog::HookReplaced(std::uint32_t nowMs) {
  replacedAt_ = nowMs;
  waiting_ = false;
}
