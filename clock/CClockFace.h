#pragma once
#include <span>
#include <string>

#include "framework/Handles.h"
#include "framework/MessageTable.h"
#include "core/ColorTables.h"

// The clock's one control, taken over from its dialog: redrawn every second with the date, the
// weekday and the time in large coloured characters on black, composed off-screen and put on the
// screen in one copy.
class CClockFace final : public MessageWindow<CClockFace> {
 public:
  static std::span<const MessageEntry<CClockFace>> MessageTable();

  void SetTextColor(ColorRef color) { textColor = color; }

 protected:
  // Starts the update timer, which runs for the life of the control, also while it is hidden.
  void PreSubclassWindow() override;

 private:
  LRESULT OnTimer(const Message& message);
  LRESULT OnEraseBackground(const Message& message);
  LRESULT OnPaint(const Message& message);
  void MakeFaceFont(HDC dc, const std::wstring& text, const RECT& inner);

  // Made on the first paint, to the height of the face (smaller if the text needs it), and kept.
  OwnedFont faceFont;
  ColorRef textColor = MakeColor(0, 255, 0);
};
