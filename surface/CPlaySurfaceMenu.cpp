// The play surface's effects menu: shown at the cursor, its items drawn by the surface itself
// (a small picture picked anew at every redraw and the label in the doubled menu font), every
// letter choosing an item and every other key closing it.
#include "surface/CPlaySurface.h"

#include "framework/DrawingContext.h"
#include "surface/CRandomPicker.h"
#include "surface/EffectsMenuTable.h"
#include "surface/SoundPlayer.h"
#include "surface/Utf8Text.h"

namespace {

constexpr UINT MenuAtCursor = TPM_CENTERALIGN | TPM_VCENTERALIGN | TPM_RIGHTBUTTON;
constexpr UINT LabelFormat = DT_SINGLELINE | DT_VCENTER | DT_NOCLIP | DT_EXTERNALLEADING;
constexpr int PictureSize = 16;
constexpr int PictureLeft = 2;
constexpr int LabelLeft = 24;

}  // namespace

// Built once with the surface and kept: the menu handle then never changes hands while sounds
// start and end on other threads.
void CPlaySurface::BuildEffectsMenu() {
  effectsMenu.Reset(::CreatePopupMenu());
  if (!effectsMenu) return;
  for (const effects_menu::Item& item : effects_menu::Items) {
    ::AppendMenuW(effectsMenu.Get(), MF_OWNERDRAW, item.commandId, reinterpret_cast<LPCWSTR>(&item));
  }
}

LRESULT CPlaySurface::OnShowEffectsMenu(const Message&) {
  if ((::GetKeyState(VK_LBUTTON) & 0x8000) != 0 || !effectsMenu) return 0;
  POINT cursor{};
  ::GetCursorPos(&cursor);
  StopSound();
  menuOpen = 1;
  ::SetForegroundWindow(Handle());
  // A chosen item's command comes to this window as WM_COMMAND.
  ::TrackPopupMenu(effectsMenu.Get(), MenuAtCursor, cursor.x, cursor.y, 0, Handle(), nullptr);
  menuOpen = 0;
  return 0;
}

LRESULT CPlaySurface::OnMeasureItem(const Message& message) {
  auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(message.lParam);
  if (measure->CtlType != ODT_MENU) return Default(message);
  const std::wstring label = WideFromUtf8(effects_menu::MeasuredItem().label);
  const ClientDC dc(Handle());
  const SelectionGuard font(dc.Get(), menuFont.Get());
  SIZE extent{};
  ::GetTextExtentPoint32W(dc.Get(), label.c_str(), static_cast<int>(label.size()), &extent);
  measure->itemWidth = static_cast<UINT>(extent.cx + 27);
  measure->itemHeight = static_cast<UINT>(extent.cy + 4);
  return TRUE;
}

LRESULT CPlaySurface::OnDrawItem(const Message& message) {
  const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(message.lParam);
  if (draw->CtlType != ODT_MENU) return Default(message);
  const HDC dc = draw->hDC;
  const RECT& item = draw->rcItem;
  const auto picture = static_cast<std::size_t>(effects_menu::PictureForIndex(CRandomPicker().IndexByTick()));

  COLORREF background = ::GetBkColor(dc);
  if ((draw->itemState & ODS_SELECTED) != 0) {
    background = menuHighlight;
    ::SetBkColor(dc, menuHighlight);
    ::SetTextColor(dc, menuHighlightText);
  }
  {
    const OwnedBrush brush(::CreateSolidBrush(background));
    ::FillRect(dc, &item, brush.Get());
  }
  if (const HICON icon = menuIcons[picture].Get(); icon != nullptr) {
    const int top = item.top + (item.bottom - item.top - PictureSize) / 2;
    ::DrawIconEx(dc, item.left + PictureLeft, top, icon, PictureSize, PictureSize, 0, nullptr, DI_NORMAL);
  }
  const SelectionGuard font(dc, menuFont.Get());
  if (const effects_menu::Item* entry = effects_menu::ItemForCommand(draw->itemID); entry != nullptr) {
    const std::wstring label = WideFromUtf8(entry->label);
    RECT text = item;
    text.left += LabelLeft;
    ::DrawTextW(dc, label.c_str(), static_cast<int>(label.size()), &text, LabelFormat);
  }
  return TRUE;
}

LRESULT CPlaySurface::OnMenuChar(const Message& message) {
  const effects_menu::CharAnswer answer = effects_menu::AnswerToChar(LOWORD(message.wParam));
  switch (answer.action) {
    case effects_menu::CharAction::ChooseItem:
      return MAKELRESULT(answer.position, MNC_EXECUTE);
    case effects_menu::CharAction::Close:
      ::PostMessageW(Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
      break;
    case effects_menu::CharAction::Default:
      break;
  }
  return Default(message);
}
