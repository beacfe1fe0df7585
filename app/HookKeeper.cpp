#include "app/HookKeeper.h"

#include <wtsapi32.h>

#include "app/KeyboardLockdown.h"

namespace {

constexpr UINT_PTR RecheckTimer = 0x4B48;  // the frame's timer for the look after the grace window

RAWINPUTDEVICE Keyboards(HWND target, DWORD flags) {
  RAWINPUTDEVICE device{};
  device.usUsagePage = 0x01;  // generic desktop controls
  device.usUsage = 0x06;      // keyboard
  device.dwFlags = flags;
  device.hwndTarget = target;
  return device;
}

}  // namespace

void HookKeeper::Start(HWND frame, KeyboardLockdown& lockdown) {
  if (frame_ != nullptr || !lockdown.LowLevelHookInstalled()) return;
  frame_ = frame;
  lockdown_ = &lockdown;
  watchdog_.HookReplaced(::GetTickCount());
  // Every key, also while another window (a grown-up's dialog) is in front.
  const RAWINPUTDEVICE keyboards = Keyboards(frame, RIDEV_INPUTSINK);
  ::RegisterRawInputDevices(&keyboards, 1, sizeof(keyboards));
  sessionWatched_ = ::WTSRegisterSessionNotification(frame, NOTIFY_FOR_THIS_SESSION) != FALSE;
}

void HookKeeper::Stop() {
  if (frame_ == nullptr) return;
  const RAWINPUTDEVICE keyboards = Keyboards(nullptr, RIDEV_REMOVE);
  ::RegisterRawInputDevices(&keyboards, 1, sizeof(keyboards));
  if (sessionWatched_) ::WTSUnRegisterSessionNotification(frame_);
  sessionWatched_ = false;
  ::KillTimer(frame_, RecheckTimer);
  recheckPending_ = false;
  frame_ = nullptr;
  lockdown_ = nullptr;
}

bool HookKeeper::OnRawInput() {
  if (frame_ == nullptr) return false;
  const auto keyTime = static_cast<std::uint32_t>(::GetMessageTime());  // the raw input's own stamp
  return Act(watchdog_.RawKeyArrived(keyTime, ::GetTickCount(), KeyboardLockdown::LatestSighting()));
}

bool HookKeeper::OnTimer(UINT_PTR timer) {
  if (frame_ == nullptr || timer != RecheckTimer) return false;
  return Act(watchdog_.Recheck(::GetTickCount(), KeyboardLockdown::LatestSighting()));
}

bool HookKeeper::Act(HookHealth health) {
  if (health == HookHealth::Waiting) {
    // One look when the grace window ends; a later raw key does not put it off.
    if (!recheckPending_) recheckPending_ = ::SetTimer(frame_, RecheckTimer, HookWatchdog::GraceMs, nullptr) != 0;
    return false;
  }
  if (recheckPending_) ::KillTimer(frame_, RecheckTimer);
  recheckPending_ = false;
  if (health == HookHealth::Alive) return false;
  Renew();
  return true;
}

void HookKeeper::Renew() {
  if (lockdown_ == nullptr) return;
  lockdown_->Reinstall();
  watchdog_.HookReplaced(::GetTickCount());
}
