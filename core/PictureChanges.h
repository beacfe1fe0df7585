#pragma once
#include <windows.h>

// Tells whoever shows the play surface's picture elsewhere (the other monitors' covers) that it
// changed. Every path that draws on the surface, on whichever thread, notes its drawing here; while
// nobody listens a note costs one atomic read.
namespace picture_changes {

// The event that each note sets (auto-reset); null to stop listening.
void Listen(HANDLE changed);

void Note();

// A window that shows over the play surface and belongs to its picture (the picture popup); null
// when none shows.
void SetOverlay(HWND overlay);
HWND Overlay();

}  // namespace picture_changes
