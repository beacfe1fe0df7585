#pragma once
#include <cstdint>

// The mark the toy's own Space strokes carry as their extra information, so the keyboard hook can
// tell them from a child's keys.
inline constexpr std::uintptr_t SpaceTapMark = 0x4D494D49;

// One synthesised press and release of the Space key. It is queued like a real key stroke and
// goes to the window that has the focus when it is taken from the queue.
void SpaceTap();
