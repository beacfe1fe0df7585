#pragma once
#include <array>
#include <span>
#include <string>

#include "app/SettingsBlock.h"
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

  static std::wstring WindowClass();
  static std::span<const MessageEntry<CMainFrame>> MessageTable();

 protected:
  bool PreCreateWindow(CreateParams& params) override;

 private:
  LRESULT OnCreate(const Message& message);
  LRESULT OnSetFocus(const Message& message);
  LRESULT OnQueryEndSession(const Message& message);
  LRESULT OnPowerBroadcast(const Message& message);
  LRESULT OnSettingsChanged(const Message& message);
  LRESULT OnSoundCue(const Message& message);
  LRESULT OnDestroy(const Message& message);

  bool LoadCursors();
  void ApplyScreenSaverOption();
  static bool ScreenSaverActive();

  CPlaySurface playSurface;
  int osKind = 0;
  std::array<OwnedCursor, 5> cursors;
  SettingsBlock settings{};
  // The screen saver is put back as the user had it, not forced on.
  bool screenSaverActiveAtStart;
};
