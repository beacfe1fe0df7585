#pragma once
#include <windows.h>

#include <span>

#include "effects/EffectRunner.h"
#include "framework/MessageTable.h"
#include "surface/EffectsMenu.h"
#include "surface/PlayIcons.h"

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
  // The effects menu's commands show the picture popup or start their effects.
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
  LRESULT OnShowEffectsMenu(const Message& message);
  LRESULT OnMeasureItem(const Message& message);
  LRESULT OnDrawItem(const Message& message);
  LRESULT OnMenuChar(const Message& message);

  RECT VisibleArea() const;
  void SprinkleIcon(const RECT& clip);
  void DrawDragIcon(POINT at);
  void ScrollContents(int dx, int dy, const RECT& clip);
  void Post(UINT message) { ::PostMessageW(Handle(), message, 0, 0); }
  void ShowPicturePopup(const media::Sound& sound);

  bool menuOpen = false;
  // Set by a sprinkle; the next key release then only stops the sound.
  bool busyFlag = false;
  PlayIcons icons;
  EffectsMenu effectsMenu;
  EffectRunner effects;
};
