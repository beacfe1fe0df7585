#pragma once
#include <windows.h>

#include <array>
#include <string>

#include "effects/EffectsMenuTable.h"
#include "framework/Handles.h"

class PlayIcons;

// The effects menu's look: eight owner-drawn items, each a small picture picked anew at every
// redraw and its label in the doubled menu font, all as large as the widest label in that font.
// Built once with the play surface and kept, so the menu handle never changes hands while sounds
// start and end on other threads.
class EffectsMenu {
 public:
  // The font, the highlight colours, the labels from the string table and the menu itself.
  void Prepare(HINSTANCE module);

  // Shows the menu centred on `at` (screen coordinates) and returns when it closes; a chosen
  // item's command comes to `owner` as WM_COMMAND. False when there is no menu to show.
  bool Track(HWND owner, POINT at) const;

  // WM_MEASUREITEM and WM_DRAWITEM for the menu's items; false for other controls' requests.
  bool Measure(HWND owner, MEASUREITEMSTRUCT& measure) const;
  bool Draw(const DRAWITEMSTRUCT& draw, PlayIcons& icons) const;

 private:
  const std::wstring* LabelOf(unsigned commandId) const;

  COLORREF menuHighlight = 0;
  COLORREF menuHighlightText = 0;
  OwnedFont menuFont;
  OwnedMenu menu;
  std::array<std::wstring, effects_menu::Items.size()> labels;
};
