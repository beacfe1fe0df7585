#pragma once
#include <windows.h>

#include "app/HookWatchdog.h"

class KeyboardLockdown;

// Keeps the low-level keyboard hook in place while the toy runs. The system removes a hook that
// misses its time limit too often (a loaded PC, memory paged out, a slow resume) and tells nobody;
// from then on the Windows key and Alt+Tab would work again. The keeper hears of every key as raw
// input on the frame as well, holds that against the hook's own sightings, and puts a new hook in
// place when the hook saw nothing of the keys. It also puts one in place after a resume and once
// the session is unlocked, where the secure desktop has had the keyboard.
class HookKeeper {
 public:
  HookKeeper() = default;
  HookKeeper(const HookKeeper&) = delete;
  HookKeeper& operator=(const HookKeeper&) = delete;
  ~HookKeeper() { Stop(); }

  // Starts watching `lockdown`'s low-level hook; the raw input and the session's changes come to
  // `frame`, which hands them on here.
  void Start(HWND frame, KeyboardLockdown& lockdown);
  void Stop();

  // The frame's WM_INPUT and WM_TIMER; each is true when a lost hook was just put back.
  bool OnRawInput();
  bool OnTimer(UINT_PTR timer);
  // A new hook, whatever the old one's state (after a resume or an unlock).
  void Renew();

 private:
  bool Act(HookHealth health);

  HWND frame_ = nullptr;
  KeyboardLockdown* lockdown_ = nullptr;
  HookWatchdog watchdog_;
  bool sessionWatched_ = false;
  bool recheckPending_ = false;
};
