#pragma once
#include <windows.h>

#include <vector>

#include "framework/Handles.h"
#include "framework/Worker.h"

// A cover tells the frame (the play surface's top-level window) that the cursor is on it: the
// cursor's bounds on the primary monitor were dropped.
constexpr UINT WMU_CURSOR_ON_COVER = 5033;

// Every monitor but the primary is covered by a window of the toy's own that repeats the play
// surface's picture, scaled to fit (the shapes kept, black bands), so that nothing else shows on
// any screen. The covers live on a thread of their own, which waits for the picture to change and
// copies it at most 60 times a second and once more after the last change; nothing runs while
// the picture stays the same. The covers are top-most, never active, have no task bar button and
// take every click on them. With one monitor there is no cover and no thread.
class MonitorCovers {
 public:
  MonitorCovers() = default;
  MonitorCovers(const MonitorCovers&) = delete;
  MonitorCovers& operator=(const MonitorCovers&) = delete;
  ~MonitorCovers() { Remove(); }

  // Covers the monitors there are now, showing `surface`'s picture; covers made before go first.
  void Cover(HWND surface);
  void Remove();

 private:
  WorkerThread thread_;
};
