#pragma once
#include <windows.h>

// Tells whoever shows the play surface's picture elsewhere (the other monitors' covers) that it
// changed. Every path that draws on the surface, on whichever thread, notes its drawing here; while
// nobody listens a note costs one atomic read.
namespace picture_changes {

// The event that each note sets while someone listens (auto-reset). There is one for the program's
// life and it is never closed, so a note from any drawing thread signals this event, never another
// that happens to reuse a closed handle's value.
HANDLE ChangedEvent();

// Starts listening for the calling thread; returns its turn. The listener before it, if still
// running, is no longer listening.
unsigned Listen();
// Ends the listening of `turn` if it is still the current listener's.
void StopListening(unsigned turn);
bool StillListening(unsigned turn);

void Note();

// A window that shows over the play surface and belongs to its picture (the picture popup); null
// when none shows.
void SetOverlay(HWND overlay);
HWND Overlay();

}  // namespace picture_changes
