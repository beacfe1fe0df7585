#pragma once
#include <windows.h>

// The library's dialogs have no owner, yet the toy's frame covers the screen and stays on top: a
// dialog goes to the screen's top-left corner, above every window, and takes the foreground.
void ShowAtTopLeftAboveAll(HWND dialog);
