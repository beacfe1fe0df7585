#pragma once
#include <cstdint>

// What the watchdog makes of the keyboard events the system reports besides the hook.
enum class HookHealth {
  Alive,    // the hook has seen keys since the last look
  Waiting,  // keys arrived that the hook has not seen yet: look again after the grace window
  Lost,     // keys arrived and the hook saw nothing within the grace window: it is gone
};

// Tells whether the low-level keyboard hook still runs. The system removes a hook that misses its
// time limit too often and says nothing, so the toy counts the keyboard events it is told of by
// another way (raw input) against the hook's own count of sightings. Neither key by key nor in
// order: where the hook runs first, a key it swallows is reported no other way; where raw input
// comes first, the hook sees the key a moment later; and the hook alone sees made-up keys (the left
// Ctrl of AltGr). So a raw event counts against the hook only when the hook's count stays where it
// was for the whole grace window after it.
class HookWatchdog {
 public:
  // Long enough for a hook that runs after raw input on a busy machine; short against a child's
  // next key.
  static constexpr std::uint32_t GraceMs = 400;

  // A raw keyboard event arrived at `nowMs`; `hookSightings` is the hook's count now.
  HookHealth RawKeyArrived(std::uint32_t nowMs, std::uint32_t hookSightings);
  // The look after the grace window (or any other time).
  HookHealth Recheck(std::uint32_t nowMs, std::uint32_t hookSightings);
  // A new hook is in place, its count starting from `hookSightings`.
  void HookReplaced(std::uint32_t hookSightings);

 private:
  std::uint32_t seen_ = 0;  // the hook's count at the last look that found it alive
  bool waiting_ = false;
  std::uint32_t waitingSince_ = 0;
};
