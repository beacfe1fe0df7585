#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>

#include "framework/Worker.h"

struct LowLevelHookStart;

// The system-wide keyboard hook that swallows the system keys while the toy runs.
//
// On the NT family the low-level hook runs on a thread of its own that does nothing but answer
// it, so a busy or stalled interface thread (a long fill, a message box) can neither delay a key
// past the system's hook time-out, which would let it through and may get the hook removed, nor
// hold it back. The 95/98/Me family's hook is called in the thread that takes a key message from
// its queue, the toy's interface thread among them; it comes with the screen-saver-running flag.
class KeyboardLockdown {
 public:
  KeyboardLockdown() = default;
  KeyboardLockdown(const KeyboardLockdown&) = delete;
  KeyboardLockdown& operator=(const KeyboardLockdown&) = delete;
  ~KeyboardLockdown() { Remove(); }

  // Installs the hook of the given family once. A hook that cannot be installed is not
  // reported: the toy then runs without it. The Space that stands in for a swallowed key is
  // meant for `toyWindow` and the windows it owns: while another window is in front (a
  // grown-up's options dialog) it would tick a box or press a button there, so none is made.
  void Install(bool legacyFamily, HWND toyWindow);
  // Removes what Install put in place; does nothing when nothing is installed.
  void Remove();

  // Puts a new low-level hook in place on a new thread of its own, for one the system may have
  // dropped: the old hook is removed from here and its thread, which may not run for a while, is
  // told to end and let go. Nothing the old thread does later touches the new hook.
  void Reinstall();
  bool LowLevelHookInstalled() const { return installed_ && !legacyFamily_; }

  // The time stamp of the latest key event a low-level hook saw; the toy's own Spaces included.
  static std::uint32_t LatestSighting();

 private:
  void StartHookThread();
  void EndHookThread(DWORD timeoutMs);

  bool installed_ = false;
  bool legacyFamily_ = false;
  std::shared_ptr<LowLevelHookStart> hookStart_;  // shared with the hook thread, which may outlive the lock-down
  WorkerThread hookThread_;
};

// The hook procedures: each turns the platform's event record into a key event, asks the rules,
// and swallows (returning 1), taps a Space as well, or passes the event on.
LRESULT CALLBACK LowLevelKeyboardHook(int code, WPARAM message, LPARAM eventRecord) noexcept;
LRESULT CALLBACK LegacyKeyboardHook(int code, WPARAM virtualKey, LPARAM keystrokeFlags) noexcept;
