#include "app/KeyboardLockdown.h"

#include <atomic>

#include "app/GrownUpGestures.h"
#include "app/KeyLockRules.h"
#include "app/SpaceTap.h"
#include "app/SystemChanges.h"
#include "core/KeyState.h"

namespace {

// The installed hook, for passing events on; null when none is installed.
std::atomic<HHOOK> keyboardHook{nullptr};

// The window the stand-in Spaces are for; null when none is installed.
std::atomic<HWND> spaceTarget{nullptr};

bool ToyIsInFront() {
  const HWND front = ::GetForegroundWindow();
  return front == nullptr || ::GetAncestor(front, GA_ROOTOWNER) == spaceTarget.load();
}

// Only the hook thread judges low-level events.
LowLevelKeyJudge lowLevelJudge;

constexpr DWORD HookStartTimeoutMs = 5000;
constexpr DWORD HookStopTimeoutMs = 2000;

LRESULT Act(KeyVerdict verdict, int code, WPARAM wParam, LPARAM lParam) {
  switch (verdict) {
    case KeyVerdict::Pass:
      break;
    case KeyVerdict::SwallowAndTapSpace:
      if (ToyIsInFront()) SpaceTap();
      return 1;
    case KeyVerdict::Swallow:
      return 1;
  }
  return ::CallNextHookEx(keyboardHook.load(), code, wParam, lParam);
}

// The hook thread: installs the low-level hook, reports whether it could, and answers the hook
// until it is told to quit; the hook goes with it.
void RunLowLevelHook(HANDLE started) {
  MSG message;
  ::PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);  // the queue that the quit is posted to
  const HHOOK hook = ::SetWindowsHookExW(WH_KEYBOARD_LL, &LowLevelKeyboardHook, ::GetModuleHandleW(nullptr), 0);
  keyboardHook = hook;
  ::SetEvent(started);
  if (hook == nullptr) return;
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
  }
  ::UnhookWindowsHookEx(hook);
  keyboardHook = nullptr;
}

}  // namespace

LRESULT CALLBACK LowLevelKeyboardHook(int code, WPARAM message, LPARAM eventRecord) noexcept {
  if (code != HC_ACTION) return ::CallNextHookEx(keyboardHook.load(), code, message, eventRecord);
  const auto* record = reinterpret_cast<const KBDLLHOOKSTRUCT*>(eventRecord);
  KeyEvent event;
  event.virtualKey = record->vkCode;
  event.isRelease = message == WM_KEYUP || message == WM_SYSKEYUP;
  // Every key counts for the grown-up chords, swallowed ones too, but the toy's own Spaces.
  if (record->dwExtraInfo != SpaceTapMark) TheGrownUpGestures().Observe(record->vkCode, event.isRelease, record->time);
  // Reading the modifiers costs the system a round trip each, on the way of every key to the toy:
  // they are read only when the verdict depends on them.
  if (!lowLevelJudge.IgnoresModifiers(event.virtualKey, event.isRelease)) {
    event.ctrlHeld = KeyPhysicallyHeld(VK_CONTROL);
    event.shiftHeld = KeyPhysicallyHeld(VK_SHIFT);
    // The flag alone misses Alt on some systems' injected keys; the physical state does not.
    event.altHeld = (record->flags & LLKHF_ALTDOWN) != 0 || KeyPhysicallyHeld(VK_MENU);
  }
  return Act(lowLevelJudge.Judge(event), code, message, eventRecord);
}

LRESULT CALLBACK LegacyKeyboardHook(int code, WPARAM virtualKey, LPARAM keystrokeFlags) noexcept {
  if (code < 0) return ::CallNextHookEx(keyboardHook.load(), code, virtualKey, keystrokeFlags);
  KeyEvent event;
  event.virtualKey = static_cast<unsigned>(virtualKey);
  event.isRelease = (static_cast<DWORD>(keystrokeFlags) & 0x80000000u) != 0;
  // The hook sees a key when it is peeked and again when it is taken; the chord judge takes a
  // second sighting as a repeat. The event has no time stamp here.
  if (static_cast<std::uintptr_t>(::GetMessageExtraInfo()) != SpaceTapMark) {
    TheGrownUpGestures().Observe(event.virtualKey, event.isRelease, 0);
  }
  return Act(JudgeLegacyKey(event), code, virtualKey, keystrokeFlags);
}

void KeyboardLockdown::Install(bool legacyFamily, HWND toyWindow) {
  if (installed_) return;
  installed_ = true;
  spaceTarget = toyWindow;
  legacyFamily_ = legacyFamily;
  system_changes::MuteAccessibilityShortcuts();
  if (legacyFamily) {
    keyboardHook = ::SetWindowsHookExW(WH_KEYBOARD, &LegacyKeyboardHook, ::GetModuleHandleW(nullptr), 0);
    system_changes::SetScreenSaverRunning();
    return;
  }
  hookStarted_.Reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
  if (!hookStarted_) return;
  const HANDLE startedEvent = hookStarted_.Get();
  if (hookThread_.Start([startedEvent] { RunLowLevelHook(startedEvent); }, THREAD_PRIORITY_HIGHEST)) {
    // The lock-down is in force when Install returns.
    ::WaitForSingleObject(startedEvent, HookStartTimeoutMs);
  }
}

void KeyboardLockdown::Remove() {
  if (!installed_) return;
  installed_ = false;
  if (legacyFamily_) {
    system_changes::ClearScreenSaverRunning();
    if (const HHOOK hook = keyboardHook.exchange(nullptr); hook != nullptr) ::UnhookWindowsHookEx(hook);
  } else if (hookThread_.Started()) {
    ::PostThreadMessageW(hookThread_.Id(), WM_QUIT, 0, 0);
    hookThread_.Join(HookStopTimeoutMs);
  }
  system_changes::RestoreAccessibilityShortcuts();
}
