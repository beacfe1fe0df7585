#include "surface/CPicturePopup.h"

#include <algorithm>

#include "framework/MessageParameters.h"
#include "resources/resource.h"
#include "core/CRandomPicker.h"
#include "core/MediaPath.h"
#include "core/PictureChanges.h"

namespace {

constexpr UINT_PTR CloseTimerId = 1;
constexpr int PopupWidth = 148;
constexpr int PopupHeight = 184;
constexpr int SlideStep = 10;
constexpr const char* PictureFile = "BMP\\DIALOG.BMP";

}  // namespace

CPicturePopup::CPicturePopup(int timeout)
    : MessageWindow(::GetModuleHandleW(nullptr), IDD_PICTURE_POPUP), timeoutMs(timeout) {}

std::span<const MessageEntry<CPicturePopup>> CPicturePopup::MessageTable() {
  static constexpr MessageEntry<CPicturePopup> table[] = {
      {WM_TIMER, &CPicturePopup::OnTimer},
      {WM_CTLCOLORDLG, &CPicturePopup::OnBackgroundColour},
      {WM_LBUTTONDOWN, &CPicturePopup::OnDrag},
      {WM_MBUTTONDOWN, &CPicturePopup::OnClose},
      {WM_RBUTTONDOWN, &CPicturePopup::OnClose},
      {WM_KEYDOWN, &CPicturePopup::OnClose},
      {WM_SYSKEYDOWN, &CPicturePopup::OnClose},
      {WM_LBUTTONDBLCLK, &CPicturePopup::OnClose},
      {WM_MOUSEWHEEL, &CPicturePopup::OnSlide},
      {WM_GETDLGCODE, &CPicturePopup::OnDialogCode},
      {WM_PAINT, &CPicturePopup::OnPictureChange},
      {WM_WINDOWPOSCHANGED, &CPicturePopup::OnPictureChange},
      {WM_DESTROY, &CPicturePopup::OnDestroy},
      {WM_APPCOMMAND, &CPicturePopup::KeepAppCommand},
      {WM_TABLET_QUERYSYSTEMGESTURESTATUS_, &CPicturePopup::RefuseSystemGestures},
  };
  return table;
}

bool CPicturePopup::OnInitDialog() {
  Dialog::OnInitDialog();
  PlaceAtCursor();
  pictureBitmap.Reset(static_cast<HBITMAP>(::LoadImageW(nullptr, MediaPathFromCurrentDirectory(PictureFile).c_str(),
                                                        IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE)));
  if (pictureBitmap) {
    ::SendDlgItemMessageW(Handle(), IDC_POPUP_PICTURE, STM_SETIMAGE, IMAGE_BITMAP,
                          reinterpret_cast<LPARAM>(pictureBitmap.Get()));
  }
  ::SetTimer(Handle(), CloseTimerId, static_cast<UINT>(timeoutMs), nullptr);
  // The picture never takes the focus: every key reaches the popup itself, which closes on it.
  ::EnableWindow(::GetDlgItem(Handle(), IDC_POPUP_PICTURE), FALSE);
  ::SetFocus(Handle());
  picture_changes::SetOverlay(Handle());
  return false;
}

// The template's size centred on the cursor (not every system centres it), then grown from that
// top-left corner, kept whole on the screen.
void CPicturePopup::PlaceAtCursor() {
  RECT templateRect{};
  ::GetWindowRect(Handle(), &templateRect);
  POINT cursor{};
  ::GetCursorPos(&cursor);
  const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
  const int screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
  const int left = cursor.x - (templateRect.right - templateRect.left) / 2;
  const int top = cursor.y - (templateRect.bottom - templateRect.top) / 2;
  ::SetWindowPos(Handle(), nullptr, std::clamp(left, 0, std::max(0, screenWidth - PopupWidth)),
                 std::clamp(top, 0, std::max(0, screenHeight - PopupHeight)), PopupWidth, PopupHeight,
                 SWP_NOZORDER | SWP_SHOWWINDOW);
}

// Every key is the popup's own: the arrows and Tab too, which a dialog otherwise keeps for moving
// between its controls.
LRESULT CPicturePopup::OnDialogCode(const Message&) { return DLGC_WANTALLKEYS; }

LRESULT CPicturePopup::OnTimer(const Message& message) {
  if (message.wParam == CloseTimerId) ::PostMessageW(Handle(), WM_CLOSE, 0, 0);
  return Default(message);
}

LRESULT CPicturePopup::OnBackgroundColour(const Message&) {
  backgroundBrush.Reset(::CreateSolidBrush(CRandomPicker().FillColor()));
  return reinterpret_cast<LRESULT>(backgroundBrush.Get());
}

LRESULT CPicturePopup::OnDrag(const Message& message) {
  POINT cursor{};
  ::GetCursorPos(&cursor);
  ::PostMessageW(Handle(), WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(cursor.x, cursor.y));
  return Default(message);
}

// The popup is part of the play surface's picture wherever that shows.
LRESULT CPicturePopup::OnPictureChange(const Message& message) {
  const LRESULT result = Default(message);
  picture_changes::Note();
  return result;
}

LRESULT CPicturePopup::OnDestroy(const Message& message) {
  picture_changes::SetOverlay(nullptr);
  return Default(message);
}

LRESULT CPicturePopup::OnClose(const Message& message) {
  ::PostMessageW(Handle(), WM_CLOSE, 0, 0);
  return Default(message);
}

LRESULT CPicturePopup::OnSlide(const Message& message) {
  const int dx = WheelDelta(message) >= 0 ? -SlideStep : SlideStep;
  ::ScrollWindowEx(Handle(), dx, 0, nullptr, nullptr, nullptr, nullptr, SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
  ::UpdateWindow(Handle());
  return Default(message);
}
