#include "app/KeyboardLockdown.h"

#include <atomic>

#include "app/GrownUpGestures.h"
#include "app/KeyLockRules.h"
#include "app/SpaceTap.h"
#include "app/SystemChanges.h"
#include "core/KeyState.h"

namespace {

// The 95/98/Me family's hook, for passing events on; null when none is installed. (That hook runs
// in every thread that takes a key message from its queue.)
std::atomic<HHOOK> legacyHook{nullptr};

// Each low-level hook thread's own hook and judge: a thread let go after the system dropped its hook
// may run again later, and must neither judge with nor pass events along the next thread's.
thread_local HHOOK ownHook = nullptr;
thread_local LowLevelKeyJudge lowLevelJudge;

// The time stamp of the latest key event any low-level hook saw, for the watchdog.
std::atomic<std::uint32_t> latestSighting{0};

// The window the stand-in Spaces are for; null when none is installed.
std::atomic<HWND> spaceTarget{nullptr};

bool ToyIsInFront() {
  const HWND front = ::GetForegroundWindow();
  return front == nullptr || ::GetAncestor(front, GA_ROOTOWNER) == spaceTarget.load();
}

constexpr DWORD HookStartTimeoutMs = 5000;
constexpr DWORD HookStopTimeoutMs = 2000;

LRESULT Act(KeyVerdict verdict, HHOOK next, int code, WPARAM wParam, LPARAM lParam) {
  switch (verdict) {
    case KeyVerdict::Pass:
      break;
    case KeyVerdict::SwallowAndTapSpace:
      if (ToyIsInFront()) SpaceTap();
      return 1;
    case KeyVerdict::Swallow:
      return 1;
  }
  return ::CallNextHookEx(next, code, wParam, lParam);
}

}  // namespace

// What a hook thread and the lock-down share: the thread sets `started` once its hook is in place
// (or could not be), and the hook stays in `hook` until the one who takes it out removes it.
struct LowLevelHookStart {
  OwnedKernelHandle started{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
  std::atomic<HHOOK> hook{nullptr};
};

namespace {

// The hook thread: installs the low-level hook, reports whether it could, and answers the hook
// until it is told to quit; the hook goes with it unless it was taken out already.
void RunLowLevelHook(const std::shared_ptr<LowLevelHookStart>& start) {
  MSG message;
  ::PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);  // the queue that the quit is posted to
  ownHook = ::SetWindowsHookExW(WH_KEYBOARD_LL, &LowLevelKeyboardHook, ::GetModuleHandleW(nullptr), 0);
  start->hook = ownHook;
  ::SetEvent(start->started.Get());
  if (ownHook == nullptr) return;
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
  }
  if (const HHOOK hook = start->hook.exchange(nullptr); hook != nullptr) ::UnhookWindowsHookEx(hook);
}

}  // namespace

LRESULT CALLBACK LowLevelKeyboardHook(int code, WPARAM message, LPARAM eventRecord) noexcept {
  if (code != HC_ACTION) return ::CallNextHookEx(ownHook, code, message, eventRecord);
  const auto* record = reinterpret_cast<const KBDLLHOOKSTRUCT*>(eventRecord);
  latestSighting.store(record->time, std::memory_order_relaxed);
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
  return Act(lowLevelJudge.Judge(event), ownHook, code, message, eventRecord);
}

LRESULT CALLBACK LegacyKeyboardHook(int code, WPARAM virtualKey, LPARAM keystrokeFlags) noexcept {
  if (code < 0) return ::CallNextHookEx(legacyHook.load(), code, virtualKey, keystrokeFlags);
  KeyEvent event;
  event.virtualKey = static_cast<unsigned>(virtualKey);
  event.isRelease = (static_cast<DWORD>(keystrokeFlags) & 0x80000000u) != 0;
  // The hook sees a key when it is peeked and again when it is taken; the chord judge takes a
  // second sighting as a repeat. The event has no time stamp here.
  if (static_cast<std::uintptr_t>(::GetMessageExtraInfo()) != SpaceTapMark) {
    TheGrownUpGestures().Observe(event.virtualKey, event.isRelease, 0);
  }
  return Act(JudgeLegacyKey(event), legacyHook.load(), code, virtualKey, keystrokeFlags);
}

std::uint32_t KeyboardLockdown::LatestSighting() { return latestSighting.load(std::memory_order_relaxed); }

void KeyboardLockdown::Install(bool legacyFamily, HWND toyWindow) {
  if (installed_) return;
  installed_ = true;
  spaceTarget = toyWindow;
  legacyFamily_ = legacyFamily;
  system_changes::MuteAccessibilityShortcuts();
  if (legacyFamily) {
    legacyHook = ::SetWindowsHookExW(WH_KEYBOARD, &LegacyKeyboardHook, ::GetModuleHandleW(nullptr), 0);
    system_changes::SetScreenSaverRunning();
    return;
  }
  StartHookThread();
}

void KeyboardLockdown::StartHookThread() {
  auto start = std::make_shared<LowLevelHookStart>();
  if (!start->started) return;
  hookStart_ = start;
  if (hookThread_.Start([start] { RunLowLevelHook(start); }, THREAD_PRIORITY_HIGHEST)) {
    // The lock-down is in force when this returns.
    ::WaitForSingleObject(start->started.Get(), HookStartTimeoutMs);
  }
}

// Takes the hook out from here, whether or not its thread runs, and asks the thread to end.
void KeyboardLockdown::EndHookThread(DWORD timeoutMs) {
  if (hookStart_ != nullptr) {
    if (const HHOOK hook = hookStart_->hook.exchange(nullptr); hook != nullptr) ::UnhookWindowsHookEx(hook);
    hookStart_.reset();
  }
  if (!hookThread_.Started()) return;
  ::PostThreadMessageW(hookThread_.Id(), WM_QUIT, 0, 0);
  if (!hookThread_.Join(timeoutMs)) hookThread_.LetGo();
}

void KeyboardLockdown::Reinstall() {
  if (!LowLevelHookInstalled()) return;
  EndHookThread(0);
  StartHookThread();
}

void KeyboardLockdown::Remove() {
  if (!installed_) return;
  installed_ = false;
  if (legacyFamily_) {
    system_changes::ClearScreenSaverRunning();
    if (const HHOOK hook = legacyHook.exchange(nullptr); hook != nullptr) ::UnhookWindowsHookEx(hook);
  } else {
    EndHookThread(HookStopTimeoutMs);
  }
  system_changes::RestoreAccessibilityShortcuts();
}
