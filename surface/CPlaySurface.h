#pragma once
#include <windows.h>

#include <array>
#include <span>

#include "effects/EffectRunner.h"
#include "framework/Handles.h"
#include "surface/IconSprinkle.h"
#include "framework/MessageTable.h"

// The child window that covers the screen and answers every key, click, drag and wheel turn with a
// sound and a drawing straight on the window. Longer answers are posted to itself as private
// messages. Nothing drawn is remembered: a repaint erases to the window colour.
class CPlaySurface final : public MessageWindow<CPlaySurface> {
 public:
  CPlaySurface();

  bool PreTranslateMessage(MSG& message) override;

  // Makes the running effects stop and waits for them (a bounded while).
  void EndEffects() { effects.EndAll(); }

  static std::span<const MessageEntry<CPlaySurface>> MessageTable();

 protected:
  bool PreCreateWindow(CreateParams& params) override;
  // The effects menu's commands start their effects.
  bool HandleOwnCommand(UINT commandId) override;

 private:
  LRESULT OnPaint(const Message& message);
  LRESULT OnKeyDown(const Message& message);
  LRESULT OnKeyUp(const Message& message);
  LRESULT OnLeftButtonDown(const Message& message);
  LRESULT OnLeftButtonUp(const Message& message);
  LRESULT OnMiddleButtonDown(const Message& message);
  LRESULT OnRightButtonDown(const Message& message);
  LRESULT OnRightButtonUp(const Message& message);
  LRESULT OnMouseMove(const Message& message);
  LRESULT OnMouseWheel(const Message& message);
  LRESULT OnTimer(const Message& message);
  LRESULT OnSettingsChanged(const Message& message);
  LRESULT OnHatchFill(const Message& message);
  LRESULT OnMosaicFill(const Message& message);
  LRESULT OnGradientFill(const Message& message);
  LRESULT OnSoundCue(const Message& message);
  LRESULT OnDestroy(const Message& message);
  // The effects menu.
  LRESULT OnShowEffectsMenu(const Message& message);
  LRESULT OnMeasureItem(const Message& message);
  LRESULT OnDrawItem(const Message& message);
  LRESULT OnMenuChar(const Message& message);

  void PrepareMenuLook();
  void BuildEffectsMenu();
  void LoadIcons();
  void SprinkleIcon(const RECT& clip);
  HICON SprinklePicture(std::size_t slot, std::size_t frame);
  void DrawDragIcon(int x, int y);
  void ScrollContents(int dx, int dy, const RECT& clip);
  void Post(UINT message) { ::PostMessageW(Handle(), message, 0, 0); }
  void ShowPicturePopup();
  static constexpr int PicturePopupTimeoutMs = 10000;

  int menuOpen = 0;
  int busyFlag = 0;
  COLORREF menuHighlight = 0;
  COLORREF menuHighlightText = 0;
  LOGFONTW menuFontDescription{};
  OwnedFont menuFont;
  OwnedMenu effectsMenu;
  std::array<OwnedIcon, 5> menuIcons;
  // The same pictures at every sprinkle frame size, each loaded when first drawn.
  struct LazyIcon {
    OwnedIcon handle;
    bool tried = false;
  };
  std::array<std::array<LazyIcon, SprinkleFrameSizes.size()>, 5> sprinkleIcons;
  std::array<OwnedIcon, 10> dragIcons;
  EffectRunner effects;
};
