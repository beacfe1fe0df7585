#pragma once
#include <windows.h>

// The grown-up menu (the first popup of menu 120), shown at the screen's top-left corner. Its
// choices by key are taken from the menu's own loop: a letter, Enter or Space chooses only when
// the chord judge finds the key alone from its press to its release, at that release. Arrows and
// Esc work as in any menu; the mouse chooses as always. Returns the chosen command, 0 for none.
UINT TrackGrownUpMenu(HWND owner, unsigned menu);

// Ends the grown-up menu being tracked when a smash asked it to close; otherwise does nothing.
void EndGrownUpMenuIfAsked();
