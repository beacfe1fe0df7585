#pragma once
#include <span>

#include "framework/Dialog.h"
#include "framework/Handles.h"
#include "framework/MessageTable.h"

// The small modal popup of the effects menu's first item: one picture on a background of a fill
// colour picked anew at every erase. A left press drags it, the wheel slides its content
// sideways, and it closes by itself after `timeoutMs`, or at once on a key, a middle or right
// press or a left double click.
class CPicturePopup final : public MessageWindow<CPicturePopup, Dialog> {
 public:
  explicit CPicturePopup(int timeoutMs);

  static std::span<const MessageEntry<CPicturePopup>> MessageTable();

 protected:
  bool OnInitDialog() override;

 private:
  void PlaceAtCursor();
  LRESULT OnDialogCode(const Message& message);
  LRESULT OnTimer(const Message& message);
  LRESULT OnBackgroundColour(const Message& message);
  LRESULT OnDrag(const Message& message);
  LRESULT OnClose(const Message& message);
  LRESULT OnSlide(const Message& message);
  LRESULT OnPictureChange(const Message& message);
  LRESULT OnDestroy(const Message& message);

  OwnedBrush backgroundBrush;
  OwnedBitmap pictureBitmap;
  int timeoutMs;
};
