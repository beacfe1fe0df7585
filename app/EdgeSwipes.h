#pragma once
#include <windows.h>

// On a touch screen a swipe in from the screen's edge opens the notification centre, the widgets
// or the task view over any program. Windows 8 and later leave such swipes out while a full-screen
// window that asks for it (or a window it owns) is active. Asks for it on `frame`; where the system
// cannot (Windows 7, no property store), the toy plays on without it.
void SwitchOffEdgeSwipes(HWND frame);
