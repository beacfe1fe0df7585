#pragma once
#include <array>
#include <memory>
#include <span>
#include <string>

#include "app/HookKeeper.h"
#include "app/KeyboardLockdown.h"
#include "app/MonitorCovers.h"
#include "app/OptionsBinding.h"
#include "core/SettingsBlock.h"
#include "clock/CClockWindow.h"
#include "framework/FrameWindow.h"
#include "framework/Handles.h"
#include "framework/MessageTable.h"
#include "surface/CPlaySurface.h"

// The one top-level window: covers the screen, stays on top, has no caption, border, menu or task
// bar button, and holds the play surface as its only pane.
class CMainFrame final : public MessageWindow<CMainFrame, FrameWindow> {
 public:
  CMainFrame();
  ~CMainFrame() override;

  // Creates the window from the resources 120 (title and menu); false when creation was refused,
  // and then the object is gone.
  bool LoadFrame();

  // What the first frame does not need, once it is on the screen: the clock window (shown when
  // the options ask for it) and the other monitors' covers.
  void FinishStart();

  static std::wstring WindowClass();
  static std::span<const MessageEntry<CMainFrame>> MessageTable();

  // The grown-up keys: Shift+Esc opens the grown-up menu, Alt+F4 closes the toy unless the options
  // forbid it; each only as a deliberate chord.
  bool PreTranslateMessage(MSG& message) override;

 protected:
  bool PreCreateWindow(CreateParams& params) override;

 private:
  LRESULT OnCreate(const Message& message);
  LRESULT OnSetFocus(const Message& message);
  LRESULT OnActivate(const Message& message);
  LRESULT OnWindowPosChanged(const Message& message);
  LRESULT OnReclaimForeground(const Message& message);
  LRESULT OnShowGrownUpMenu(const Message& message);
  LRESULT OnEndGrownUpMenu(const Message& message);
  LRESULT OnSetCursor(const Message& message);
  LRESULT OnDisplayChange(const Message& message);
  LRESULT OnQueryEndSession(const Message& message);
  LRESULT OnPowerBroadcast(const Message& message);
  LRESULT OnRawInput(const Message& message);
  LRESULT OnTimer(const Message& message);
  LRESULT OnSessionChange(const Message& message);
  LRESULT OnCursorOnCover(const Message& message);
  LRESULT OnSettingsChanged(const Message& message);
  LRESULT OnSoundCue(const Message& message);
  LRESULT OnClose(const Message& message);
  LRESULT OnDestroy(const Message& message);

  // The steps of the window's creation, in their order.
  bool CreatePlaySurface();
  void DropCaptionAndMenu();
  bool LoadCursors();
  void CoverScreenOnTop();
  bool LockDown();
  bool ReadSettings();

  void ApplyScreenSaverOption();
  void ApplyClockOption();
  void InstallLockdown();
  void RemoveLockdown();
  void ConfineCursor();
  void ChooseCursor();
  // After the keyboard hook was put back for one the system dropped: the key that showed the loss
  // has gone through (to the Start menu, say), so the toy takes the front back.
  void TakeFrontBack();
  // After the secure desktop (an unlock, a resume): a new hook, top-most if the frame lost it, and
  // the cursor clip, which the system drops there; the foreground only from the desktop, as a
  // grown-up may have opened a window (the task manager) from the secure desktop.
  void LockAfterSecureDesktop();
  // Makes `window` the foreground window by sharing input with the current foreground thread;
  // nothing happens when there is no foreground window or the threads cannot share input.
  static void ForceForeground(HWND window);

  CPlaySurface playSurface;
  WindowsFamily windowsFamily = WindowsFamily::Nt;
  std::unique_ptr<CClockWindow> clockWindow;
  std::array<OwnedCursor, 5> cursors;
  SettingsBlock settings{};
  KeyboardLockdown keyboardLockdown;
  HookKeeper hookKeeper;
  RECT clipArea{};  // where the cursor is kept, in screen coordinates
  MonitorCovers monitorCovers;
};
