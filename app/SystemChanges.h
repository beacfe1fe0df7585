#pragma once
#include <windows.h>

// What the toy changes in the system while it runs. Each change is remembered where it is made and
// put back once: on the normal way out, and, should the toy die of a fault, by UndoAll from the
// process's last-chance handlers before the process ends.
namespace system_changes {

void ConfineCursor(const RECT& area);
void ReleaseCursor();

// The 95/98/Me family's screen-saver-running flag, which keeps the system's task keys away.
void SetScreenSaverRunning();
void ClearScreenSaverRunning();

// The screen saver setting: the user's own is remembered once at start, before the toy changes
// anything, and RestoreScreenSaver puts it back after a change.
void RememberUserScreenSaver();
void SetScreenSaverActive(bool active);
void RestoreScreenSaver();

// The Sticky Keys, Filter Keys and Toggle Keys shortcuts: off while the toy runs where the feature
// itself is off; put back exactly as they were.
void MuteAccessibilityShortcuts();
void RestoreAccessibilityShortcuts();

// Puts back everything still changed. Safe from any thread, more than once, and inside a fault.
void UndoAll() noexcept;

// Makes a fault that nothing handles, and a call of std::terminate, run UndoAll before the
// process ends.
void UndoOnFault();

}  // namespace system_changes
