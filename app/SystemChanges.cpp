#include "app/SystemChanges.h"

#include <atomic>
#include <cstdlib>
#include <exception>

#include "app/AccessibilityShortcuts.h"

namespace system_changes {
namespace {

std::atomic<bool> cursorConfined{false};
std::atomic<bool> screenSaverRunningSet{false};
std::atomic<bool> screenSaverChanged{false};
BOOL userScreenSaverActive = TRUE;

void WriteScreenSaverActive(BOOL active) {
  ::SystemParametersInfoW(SPI_SETSCREENSAVEACTIVE, static_cast<UINT>(active), nullptr, SPIF_SENDCHANGE);
}

// One accessibility record: read, changed in memory only (a hard kill loses nothing past the
// session), and written back as it was read.
template <class Record, UINT GetAction, UINT SetAction>
class ShortcutRecord {
 public:
  void Mute() {
    Record record{};
    record.cbSize = sizeof(record);
    if (changed_ || !::SystemParametersInfoW(GetAction, sizeof(record), &record, 0)) return;
    const auto flags = accessibility::FlagsWhilePlaying(static_cast<std::uint32_t>(record.dwFlags));
    if (!flags) return;
    saved_ = record;
    record.dwFlags = *flags;
    if (::SystemParametersInfoW(SetAction, sizeof(record), &record, 0)) changed_ = true;
  }

  void Restore() noexcept {
    if (changed_.exchange(false)) ::SystemParametersInfoW(SetAction, sizeof(saved_), &saved_, 0);
  }

 private:
  Record saved_{};
  std::atomic<bool> changed_{false};
};

ShortcutRecord<STICKYKEYS, SPI_GETSTICKYKEYS, SPI_SETSTICKYKEYS> stickyKeys;
ShortcutRecord<FILTERKEYS, SPI_GETFILTERKEYS, SPI_SETFILTERKEYS> filterKeys;
ShortcutRecord<TOGGLEKEYS, SPI_GETTOGGLEKEYS, SPI_SETTOGGLEKEYS> toggleKeys;

LONG WINAPI UndoBeforeEnding(EXCEPTION_POINTERS*) noexcept {
  UndoAll();
  // End here, quietly: a crash report over a child's toy helps nobody in front of it.
  return EXCEPTION_EXECUTE_HANDLER;
}

[[noreturn]] void UndoAndAbort() noexcept {
  UndoAll();
  std::abort();
}

}  // namespace

void ConfineCursor(const RECT& area) {
  cursorConfined = true;
  ::ClipCursor(&area);
}

void ReleaseCursor() {
  ::ClipCursor(nullptr);
  cursorConfined = false;
}

void SetScreenSaverRunning() {
  BOOL previous = FALSE;
  screenSaverRunningSet = true;
  ::SystemParametersInfoW(SPI_SETSCREENSAVERRUNNING, TRUE, &previous, 0);
}

void ClearScreenSaverRunning() {
  BOOL previous = FALSE;
  ::SystemParametersInfoW(SPI_SETSCREENSAVERRUNNING, FALSE, &previous, 0);
  screenSaverRunningSet = false;
}

void RememberUserScreenSaver() {
  BOOL current = TRUE;
  ::SystemParametersInfoW(SPI_GETSCREENSAVEACTIVE, 0, &current, 0);
  userScreenSaverActive = current != FALSE ? TRUE : FALSE;
}

void SetScreenSaverActive(bool active) {
  screenSaverChanged = true;
  WriteScreenSaverActive(active ? TRUE : FALSE);
}

void RestoreScreenSaver() {
  if (screenSaverChanged.exchange(false)) WriteScreenSaverActive(userScreenSaverActive);
}

void MuteAccessibilityShortcuts() {
  stickyKeys.Mute();
  filterKeys.Mute();
  toggleKeys.Mute();
}

void RestoreAccessibilityShortcuts() {
  stickyKeys.Restore();
  filterKeys.Restore();
  toggleKeys.Restore();
}

void UndoAll() noexcept {
  if (cursorConfined.exchange(false)) ::ClipCursor(nullptr);
  if (screenSaverRunningSet.exchange(false)) {
    BOOL previous = FALSE;
    ::SystemParametersInfoW(SPI_SETSCREENSAVERRUNNING, FALSE, &previous, 0);
  }
  if (screenSaverChanged.exchange(false)) WriteScreenSaverActive(userScreenSaverActive);
  stickyKeys.Restore();
  filterKeys.Restore();
  toggleKeys.Restore();
}

void UndoOnFault() {
  ::SetUnhandledExceptionFilter(&UndoBeforeEnding);
  std::set_terminate(&UndoAndAbort);
}

}  // namespace system_changes
