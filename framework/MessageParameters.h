#pragma once
#include <windows.h>
#include <windowsx.h>

#include "framework/Window.h"

// Typed readings of a message's parameters, for the handlers that take them apart.

// The point of a mouse message (client coordinates; screen coordinates for the wheel).
inline POINT MousePoint(const Message& message) {
  return {GET_X_LPARAM(message.lParam), GET_Y_LPARAM(message.lParam)};
}

// The wheel's turn: positive away from the user.
inline int WheelDelta(const Message& message) { return GET_WHEEL_DELTA_WPARAM(message.wParam); }

// The record a message's second parameter points to (WM_MEASUREITEM, WM_DRAWITEM and the like).
template <class Record>
Record& RecordOf(const Message& message) {
  return *reinterpret_cast<Record*>(message.lParam);
}

// The virtual key of a key message.
inline unsigned KeyOf(const Message& message) { return static_cast<unsigned>(message.wParam); }

// Bit 30 of a key message's second parameter: the key was already down (an auto-repeat).
inline bool IsAutoRepeat(const Message& message) { return (message.lParam & (LPARAM{1} << 30)) != 0; }
