#pragma once
#include "core/VirtualKeys.h"

// How the play surface answers each key.
enum class KeyKind {
  Scroll,  // Page Up/Down and the arrows: scroll on every press, only a key sound on release
  Menu,    // Apps and some function keys: the effects menu on release
  Enter,   // hatch fill on release
  Ctrl,    // gradient fill on release
  Fill,    // everything else: a colour fill on release
};

KeyKind ClassifyKey(unsigned virtualKey);

struct ScrollAmount {
  int dx = 0;
  int dy = 0;
  bool operator==(const ScrollAmount&) const = default;
};

// How far a scroll key moves the contents (positive: right or down); zero for other keys.
ScrollAmount ScrollForKey(unsigned virtualKey);

// What a key release asks for after its key sound.
enum class ReleaseResponse { None, HatchFill, GradientFill, EffectsMenu, ColorFill };
ReleaseResponse ResponseToRelease(unsigned virtualKey, bool altHeld);

// Releases that the surface takes before they are dispatched: Alt gives the mosaic without a key
// sound, Print Screen nothing at all.
enum class EarlyRelease { Dispatch, MosaicFill, Swallow };
EarlyRelease ClassifyEarlyRelease(unsigned virtualKey);

// Wheel: a turn away from the user (delta zero or positive) moves left, toward moves right;
// an odd second-seeded index scrolls only horizontally, an even one diagonally.
ScrollAmount ScrollForWheel(int wheelDelta, int indexBySecond);
