#pragma once
#include <span>

#include "clock/CClockFace.h"
#include "framework/Dialog.h"
#include "framework/MessageTable.h"

// The clock in the bottom-right corner of the primary monitor: a borderless modeless dialog owned by the
// main frame, whose one control is the clock face. It never keeps the keyboard: every click on it
// and every key pressed while it is active hand focus and foreground back to the owner. The owner
// shows and hides it.
class CClockWindow final : public MessageWindow<CClockWindow, Dialog> {
 public:
  explicit CClockWindow(HWND owner);
  ~CClockWindow() override;

  // Picks the text colour, then creates the hidden window at the screen's bottom-right corner;
  // false when the window could not be made.
  bool Create();

  static std::span<const MessageEntry<CClockWindow>> MessageTable();

  // Moves the window to the primary monitor's bottom-right corner.
  void PlaceInCorner();

  // Something may have put the owner above the clock (the owner was activated, or its place in the
  // Z order or on the screen changed): the clock moves back above it, now and for a moment after.
  void KeepAboveOwner();

  // Key presses for the clock are swallowed, so Esc, Enter and Alt+F4 can never close it.
  bool PreTranslateMessage(MSG& message) override;

 protected:
  void DoDataExchange(DataExchange& exchange) override;
  bool OnInitDialog() override;

 private:
  LRESULT OnButton(const Message& message);
  LRESULT OnLeftButtonUp(const Message& message);
  LRESULT OnBackgroundColour(const Message& message);
  LRESULT OnMouseActivate(const Message& message);
  LRESULT OnKeepAboveOwner(const Message& message);
  LRESULT OnWindowPosChanged(const Message& message);
  void RaiseAboveOwner();

  void HandFocusToOwner();

  CClockFace clockFace;
  // The main frame; not owned.
  HWND owner;
  int looksLeft = 0;  // of the follow-up after a change
};
