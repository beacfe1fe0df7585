#pragma once
#include <windows.h>

// The system asks a window before it acts on its own for the user: an app command (a browser,
// mail, media or volume key, a mouse's side button) goes on from default processing to the shell,
// which opens a program or changes the volume; a touch or pen held down or flicked starts the
// system's gestures. A window of the toy answers both itself, so nothing outside it acts.

// Sent to ask which system gestures a window takes; the answer holds the gestures to switch off.
constexpr UINT WM_TABLET_QUERYSYSTEMGESTURESTATUS_ = 0x02CC;

// Press-and-hold (a right click after a held finger), the pen's tap and barrel rings, flicks and
// the keys flicks stand for. A touch still arrives as the mouse messages the system makes of it.
constexpr LRESULT NoSystemGestures = 0x00000001    // press and hold
                                     | 0x00000008  // pen tap feedback
                                     | 0x00000010  // pen barrel feedback
                                     | 0x00010000  // flicks
                                     | 0x00100000;  // flick fallback keys

// The answer to WM_APPCOMMAND that tells the system the command was carried out.
constexpr LRESULT AppCommandDone = TRUE;
