#include "surface/EffectsMenu.h"

#include "core/CRandomPicker.h"
#include "framework/DrawingContext.h"
#include "framework/StringResource.h"
#include "surface/EffectsMenuRules.h"
#include "surface/PlayIcons.h"

namespace {

constexpr UINT MenuAtCursor = TPM_CENTERALIGN | TPM_VCENTERALIGN | TPM_RIGHTBUTTON;
constexpr UINT LabelFormat = DT_SINGLELINE | DT_VCENTER | DT_NOCLIP | DT_EXTERNALLEADING;
constexpr int PictureSize = 16;
constexpr int PictureLeft = 2;
constexpr int LabelLeft = 24;
constexpr int ExtraWidth = 27;
constexpr int ExtraHeight = 4;

LOGFONTW DoubledMenuFont() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  if (!::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0)) {
    // Systems before the padded border field take the shorter record.
    metrics.cbSize = static_cast<UINT>(offsetof(NONCLIENTMETRICSW, iPaddedBorderWidth));
    ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0);
  }
  LOGFONTW font = metrics.lfMenuFont;
  font.lfHeight *= 2;
  return font;
}

}  // namespace

void EffectsMenu::Prepare(HINSTANCE module) {
  const LOGFONTW font = DoubledMenuFont();
  menuHighlight = ::GetSysColor(COLOR_HIGHLIGHT);
  menuHighlightText = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
  menuFont.Reset(::CreateFontIndirectW(&font));

  for (std::size_t i = 0; i < labels.size(); ++i) labels[i] = StringResource(module, effects_menu::Items[i].commandId);

  menu.Reset(::CreatePopupMenu());
  if (!menu) return;
  for (const effects_menu::Item& item : effects_menu::Items) {
    ::AppendMenuW(menu.Get(), MF_OWNERDRAW, item.commandId, reinterpret_cast<LPCWSTR>(&item));
  }
}

bool EffectsMenu::Track(HWND owner, POINT at) const {
  if (!menu) return false;
  ::TrackPopupMenu(menu.Get(), MenuAtCursor, at.x, at.y, 0, owner, nullptr);
  return true;
}

const std::wstring* EffectsMenu::LabelOf(unsigned commandId) const {
  for (std::size_t i = 0; i < labels.size(); ++i) {
    if (effects_menu::Items[i].commandId == commandId) return &labels[i];
  }
  return nullptr;
}

bool EffectsMenu::Measure(HWND owner, MEASUREITEMSTRUCT& measure) const {
  if (measure.CtlType != ODT_MENU) return false;
  // The widest label in the menu font sizes every item.
  const ClientDC dc(owner);
  const SelectionGuard font(dc.Get(), menuFont.Get());
  SIZE widest{};
  for (const std::wstring& label : labels) {
    SIZE extent{};
    ::GetTextExtentPoint32W(dc.Get(), label.c_str(), static_cast<int>(label.size()), &extent);
    if (extent.cx > widest.cx) widest = extent;
  }
  measure.itemWidth = static_cast<UINT>(widest.cx + ExtraWidth);
  measure.itemHeight = static_cast<UINT>(widest.cy + ExtraHeight);
  return true;
}

bool EffectsMenu::Draw(const DRAWITEMSTRUCT& draw, PlayIcons& icons) const {
  if (draw.CtlType != ODT_MENU) return false;
  const HDC dc = draw.hDC;
  const RECT& item = draw.rcItem;
  const auto picture = static_cast<std::size_t>(effects_menu::PictureForIndex(CRandomPicker().IndexByTick()));

  COLORREF background = ::GetBkColor(dc);
  if ((draw.itemState & ODS_SELECTED) != 0) {
    background = menuHighlight;
    ::SetBkColor(dc, menuHighlight);
    ::SetTextColor(dc, menuHighlightText);
  }
  {
    const OwnedBrush brush(::CreateSolidBrush(background));
    ::FillRect(dc, &item, brush.Get());
  }
  if (const HICON icon = icons.MenuPicture(picture); icon != nullptr) {
    const int top = item.top + (item.bottom - item.top - PictureSize) / 2;
    ::DrawIconEx(dc, item.left + PictureLeft, top, icon, PictureSize, PictureSize, 0, nullptr, DI_NORMAL);
  }
  const SelectionGuard font(dc, menuFont.Get());
  if (const std::wstring* label = LabelOf(draw.itemID); label != nullptr) {
    RECT text = item;
    text.left += LabelLeft;
    ::DrawTextW(dc, label->c_str(), static_cast<int>(label->size()), &text, LabelFormat);
  }
  return true;
}
