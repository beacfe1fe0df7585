#pragma once
#include "core/Rect.h"

// Where the mouse cursor may go while the toy runs, and which of the five cursor pictures shows.

// The task bar as the shell reports it.
struct TaskBarPlacement {
  bool autoHide = false;
  bool alwaysOnTop = false;
  Rect rect;  // meaningful only when both flags are set
};

// The frame's client area kept off the right and bottom screen edges by 4 pixels, and off the left
// and top edges by 2 more when an auto-hiding, always-on-top task bar sits at a negative left and
// top (where touching the edge would slide it out over the toy).
Rect ConfinementRect(const Rect& client, const TaskBarPlacement& taskBar);

// The cursor (0 to 4, in the order of the files CURSOR1 to CURSOR5) for a second-seeded index
// 0 to 9; each cursor has two of the ten indices.
int CursorSlotForIndex(int index);
