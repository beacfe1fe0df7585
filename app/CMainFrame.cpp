#include "app/CMainFrame.h"

#include <windows.h>

#include "app/OptionsBinding.h"
#include "app/SpaceTap.h"
#include "app/UserMessages.h"
#include "framework/MessageBox.h"
#include "resources/resource.h"
#include "surface/MediaPath.h"
#include "surface/MediaTable.h"
#include "surface/SurfaceMessages.h"

namespace {

void SetScreenSaverActive(bool active) {
  ::SystemParametersInfoW(SPI_SETSCREENSAVEACTIVE, active ? TRUE : FALSE, nullptr, SPIF_SENDCHANGE);
}

}  // namespace

bool CMainFrame::ScreenSaverActive() {
  BOOL active = TRUE;
  ::SystemParametersInfoW(SPI_GETSCREENSAVEACTIVE, 0, &active, 0);
  return active != FALSE;
}

CMainFrame::CMainFrame() : screenSaverActiveAtStart(ScreenSaverActive()) {}

std::span<const MessageEntry<CMainFrame>> CMainFrame::MessageTable() {
  static constexpr MessageEntry<CMainFrame> table[] = {
      {WM_CREATE, &CMainFrame::OnCreate},
      {WM_SETFOCUS, &CMainFrame::OnSetFocus},
      {WM_QUERYENDSESSION, &CMainFrame::OnQueryEndSession},
      {WM_POWERBROADCAST, &CMainFrame::OnPowerBroadcast},
      {WMU_SETTINGS_CHANGED, &CMainFrame::OnSettingsChanged},
      {WMU_SOUND_CUE, &CMainFrame::OnSoundCue},
      {WM_DESTROY, &CMainFrame::OnDestroy},
  };
  return table;
}

CMainFrame::~CMainFrame() { ::ClipCursor(nullptr); }

std::wstring CMainFrame::WindowClass() { return GeneratedClass(0, nullptr, nullptr, nullptr); }

bool CMainFrame::LoadFrame() {
  const HINSTANCE module = ::GetModuleHandleW(nullptr);
  const wchar_t* title = nullptr;
  const int titleLength = ::LoadStringW(module, IDR_MAINFRAME, reinterpret_cast<LPWSTR>(&title), 0);
  CreateParams params;
  params.title.assign(title != nullptr ? title : L"", static_cast<std::size_t>(titleLength));
  params.style = WS_OVERLAPPEDWINDOW;
  params.menuOrId = ::LoadMenuW(module, MAKEINTRESOURCEW(IDR_MAINFRAME));
  const HMENU menu = params.menuOrId;
  if (CreateFrame(std::move(params))) return true;
  if (::IsMenu(menu)) ::DestroyMenu(menu);
  return false;
}

bool CMainFrame::PreCreateWindow(CreateParams& params) {
  if (!FrameWindow::PreCreateWindow(params)) return false;
  params.style = WS_CAPTION;
  params.exStyle = (params.exStyle & ~static_cast<DWORD>(WS_EX_CLIENTEDGE)) | WS_EX_TOOLWINDOW;
  params.className = WindowClass();
  return true;
}

bool CMainFrame::LoadCursors() {
  for (std::size_t i = 0; i < cursors.size(); ++i) {
    cursors[i].Reset(static_cast<HCURSOR>(
        ::LoadImageA(nullptr, MediaPathFromCurrentDirectory(media::CursorFiles[i]).c_str(), IMAGE_CURSOR, 0, 0,
                     LR_LOADFROMFILE)));
    if (!cursors[i]) return false;
  }
  return true;
}

LRESULT CMainFrame::OnCreate(const Message&) {
  const HWND frame = Handle();

  CreateParams pane;
  pane.style = WS_CHILD | WS_VISIBLE | WS_BORDER;
  pane.rect = {0, 0, 0, 0};
  pane.parent = frame;
  pane.menuOrId = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(PaneId));
  if (!playSurface.Create(std::move(pane))) return -1;

  ::SetWindowLongPtrW(frame, GWL_STYLE,
                      ::GetWindowLongPtrW(frame, GWL_STYLE) & ~static_cast<LONG_PTR>(WS_CAPTION | WS_THICKFRAME));
  if (const HMENU menu = ::GetMenu(frame); menu != nullptr) {
    ::SetMenu(frame, nullptr);
    ::DestroyMenu(menu);
  }

  if (!LoadCursors()) {
    ShowMessageBox(frame, user_messages::MissingFiles, user_messages::Caption, MB_OK | MB_ICONINFORMATION);
    return -1;
  }

  ::ShowWindow(frame, SW_MAXIMIZE);
  ::SetWindowPos(frame, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);

  osKind = QueryOsKind(frame);
  if (osKind == -1) return -1;

  if (LoadSettings(settings) != 0) {
    ShowMessageBox(frame, user_messages::NoInitialInfo, user_messages::Caption, MB_OK | MB_ICONINFORMATION);
    return -1;
  }
  ApplyScreenSaverOption();

  SpaceTap();
  return 0;
}

void CMainFrame::ApplyScreenSaverOption() {
  if (settings.noscreenserver == 1) {
    SetScreenSaverActive(false);
  } else if (ScreenSaverActive() != screenSaverActiveAtStart) {
    SetScreenSaverActive(screenSaverActiveAtStart);
  }
}

LRESULT CMainFrame::OnSetFocus(const Message&) {
  ::SetFocus(playSurface.Handle());
  return 0;
}

LRESULT CMainFrame::OnQueryEndSession(const Message&) { return FALSE; }

LRESULT CMainFrame::OnPowerBroadcast(const Message& message) {
  return message.wParam == PBT_APMQUERYSUSPEND ? BROADCAST_QUERY_DENY : TRUE;
}

LRESULT CMainFrame::OnSettingsChanged(const Message& message) {
  LoadSettings(settings);
  ::SendMessageW(playSurface.Handle(), WMU_SETTINGS_CHANGED, message.wParam, message.lParam);
  ApplyScreenSaverOption();
  ::SetFocus(Handle());
  ::InvalidateRect(Handle(), nullptr, TRUE);
  return 1;
}

LRESULT CMainFrame::OnSoundCue(const Message& message) {
  ::SendMessageW(playSurface.Handle(), WMU_SOUND_CUE, message.wParam, message.lParam);
  return 1;
}

LRESULT CMainFrame::OnDestroy(const Message& message) {
  if (ScreenSaverActive() != screenSaverActiveAtStart) SetScreenSaverActive(screenSaverActiveAtStart);
  return Default(message);
}
