#pragma once
#include <windows.h>

// Whether a key or mouse button is down in the input state of the message being handled.
inline bool KeyHeld(int virtualKey) { return (::GetKeyState(virtualKey) & 0x8000) != 0; }

// Whether a key is down on the keyboard right now, whatever the queues hold.
inline bool KeyPhysicallyHeld(int virtualKey) { return (::GetAsyncKeyState(virtualKey) & 0x8000) != 0; }
