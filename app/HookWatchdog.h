#pragma once
#include <cstdint>

// What the watchdog makes of the keyboard events the system reports besides the hook.
enum class HookHealth {
  Alive,    // the hook has seen keys as late as those reported
  Waiting,  // a key arrived that the hook has not seen yet: look again after the grace window
  Lost,     // a key arrived and the hook saw none as late within the grace window: it is gone
};

// Tells whether the low-level keyboard hook still runs. The system removes a hook that misses its
// time limit too often and says nothing, so the toy holds the keyboard events it is told of by
// another way (raw input) against the time of the hook's latest sighting, both in the events' own
// time stamps. Not key by key, nor by counting: where the hook runs first, a key it swallows is
// reported no other way; where raw input comes first, the hook sees the key a moment later; the
// hook alone sees made-up keys (the left Ctrl of AltGr); and raw events may be read long after the
// hook saw them, several at once. So a raw key counts against the hook only when the hook has seen
// no key as late as it for the whole grace window after it arrived.
class HookWatchdog {
 public:
  // Long enough for a hook that runs after raw input on a busy machine; short against a child's
  // next key.
  static constexpr std::uint32_t GraceMs = 400;

  // A raw key stamped `keyTimeMs` arrived at `nowMs`; `sightingMs` is the stamp of the latest key
  // the hook saw.
  HookHealth RawKeyArrived(std::uint32_t keyTimeMs, std::uint32_t nowMs, std::uint32_t sightingMs);
  // The look after the grace window (or any other time).
  HookHealth Recheck(std::uint32_t nowMs, std::uint32_t sightingMs);
  // A new hook is in place from `nowMs`: keys from before it are not held against it.
  void HookReplaced(std::uint32_t nowMs);

 private:
  std::uint32_t replacedAt_ = 0;
  bool waiting_ = false;
  std::uint32_t waitingFor_ = 0;  // the stamp of the key the hook has not seen yet
  std::uint32_t waitingSince_ = 0;
};
