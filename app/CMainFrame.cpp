#include "app/CMainFrame.h"

#include <windows.h>
#include <shellapi.h>
#include <wtsapi32.h>

#include "app/CursorConfinement.h"
#include "app/EdgeSwipes.h"
#include "app/GrownUpGestures.h"
#include "app/GrownUpMenu.h"
#include "app/SpaceTap.h"
#include "app/SystemChanges.h"
#include "app/UserMessages.h"
#include "core/CRandomPicker.h"
#include "core/KeyState.h"
#include "core/MediaPath.h"
#include "core/MediaTable.h"
#include "core/PrivateMessages.h"
#include "framework/MessageBox.h"
#include "framework/PrimaryMonitor.h"
#include "framework/StringResource.h"
#include "resources/resource.h"

namespace {

// The frame's own message: take the foreground back from the desktop. (The grown-up menu's two
// follow it, in GrownUpGestures.h.)
constexpr UINT WMU_RECLAIM_FOREGROUND = WMU_SOUND_CUE + 1;
static_assert(WMU_SHOW_GROWN_UP_MENU == WMU_RECLAIM_FOREGROUND + 1);

TaskBarPlacement TaskBar() {
  APPBARDATA query{};
  query.cbSize = sizeof(query);
  const auto state = static_cast<UINT>(::SHAppBarMessage(ABM_GETSTATE, &query));
  TaskBarPlacement taskBar;
  taskBar.autoHide = (state & ABS_AUTOHIDE) != 0;
  taskBar.alwaysOnTop = (state & ABS_ALWAYSONTOP) != 0;
  if (taskBar.autoHide && taskBar.alwaysOnTop) {
    APPBARDATA position{};
    position.cbSize = sizeof(position);
    if (::SHAppBarMessage(ABM_GETTASKBARPOS, &position) != 0) {
      taskBar.rect = {position.rc.left, position.rc.top, position.rc.right, position.rc.bottom};
    }
  }
  return taskBar;
}

}  // namespace

CMainFrame::CMainFrame() { system_changes::RememberUserScreenSaver(); }

std::span<const MessageEntry<CMainFrame>> CMainFrame::MessageTable() {
  static constexpr MessageEntry<CMainFrame> table[] = {
      {WM_CREATE, &CMainFrame::OnCreate},
      {WM_SETFOCUS, &CMainFrame::OnSetFocus},
      {WM_ACTIVATE, &CMainFrame::OnActivate},
      {WM_WINDOWPOSCHANGED, &CMainFrame::OnWindowPosChanged},
      {WMU_RECLAIM_FOREGROUND, &CMainFrame::OnReclaimForeground},
      {WMU_SHOW_GROWN_UP_MENU, &CMainFrame::OnShowGrownUpMenu},
      {WMU_END_GROWN_UP_MENU, &CMainFrame::OnEndGrownUpMenu},
      {WM_SETCURSOR, &CMainFrame::OnSetCursor},
      {WM_DISPLAYCHANGE, &CMainFrame::OnDisplayChange},
      {WM_QUERYENDSESSION, &CMainFrame::OnQueryEndSession},
      {WM_POWERBROADCAST, &CMainFrame::OnPowerBroadcast},
      {WM_INPUT, &CMainFrame::OnRawInput},
      {WM_TIMER, &CMainFrame::OnTimer},
      {WM_WTSSESSION_CHANGE, &CMainFrame::OnSessionChange},
      {WMU_CURSOR_ON_COVER, &CMainFrame::OnCursorOnCover},
      {WM_APPCOMMAND, &CMainFrame::KeepAppCommand},
      {WM_TABLET_QUERYSYSTEMGESTURESTATUS_, &CMainFrame::RefuseSystemGestures},
      {WMU_SETTINGS_CHANGED, &CMainFrame::OnSettingsChanged},
      {WMU_SOUND_CUE, &CMainFrame::OnSoundCue},
      {WM_CLOSE, &CMainFrame::OnClose},
      {WM_DESTROY, &CMainFrame::OnDestroy},
  };
  return table;
}

CMainFrame::~CMainFrame() {
  system_changes::ReleaseCursor();
  clockWindow.reset();
}

std::wstring CMainFrame::WindowClass() { return GeneratedClass(0, nullptr, nullptr, nullptr); }

bool CMainFrame::LoadFrame() {
  const HINSTANCE module = ::GetModuleHandleW(nullptr);
  CreateParams params;
  params.title = StringResource(module, IDR_MAINFRAME);
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
  // On the primary monitor, where it is then maximised, wherever the program was started from: the
  // shell asks for a program's first window on the monitor it was started on.
  const RECT primary = PrimaryMonitor();
  params.rect = {primary.left, primary.top, primary.right - primary.left, primary.bottom - primary.top};
  return true;
}

bool CMainFrame::LoadCursors() {
  for (std::size_t i = 0; i < cursors.size(); ++i) {
    cursors[i].Reset(static_cast<HCURSOR>(
        ::LoadImageW(nullptr, MediaPathFromCurrentDirectory(media::CursorFiles[i]).c_str(), IMAGE_CURSOR, 0, 0,
                     LR_LOADFROMFILE)));
    if (!cursors[i]) return false;
  }
  return true;
}

LRESULT CMainFrame::OnCreate(const Message&) {
  if (!CreatePlaySurface()) return -1;
  DropCaptionAndMenu();
  if (!LoadCursors()) {
    ShowMessageBox(Handle(), user_messages::MissingFiles, user_messages::Caption, MB_OK | MB_ICONINFORMATION);
    return -1;
  }
  CoverScreenOnTop();
  if (!LockDown()) return -1;
  if (!ReadSettings()) {
    RemoveLockdown();
    ShowMessageBox(Handle(), user_messages::NoInitialInfo, user_messages::Caption, MB_OK | MB_ICONINFORMATION);
    return -1;
  }
  ApplyScreenSaverOption();
  SpaceTap();
  return 0;
}

// The play surface as the frame's only pane.
bool CMainFrame::CreatePlaySurface() {
  CreateParams pane;
  pane.style = WS_CHILD | WS_VISIBLE | WS_BORDER;
  pane.rect = {0, 0, 0, 0};
  pane.parent = Handle();
  pane.menuOrId = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(PaneId));
  return playSurface.Create(std::move(pane));
}

// The frame was made with the caption and menu of its resources; the toy shows neither.
void CMainFrame::DropCaptionAndMenu() {
  const HWND frame = Handle();
  ::SetWindowLongPtrW(frame, GWL_STYLE,
                      ::GetWindowLongPtrW(frame, GWL_STYLE) & ~static_cast<LONG_PTR>(WS_CAPTION | WS_THICKFRAME));
  if (const HMENU menu = ::GetMenu(frame); menu != nullptr) {
    ::SetMenu(frame, nullptr);
    ::DestroyMenu(menu);
  }
}

// Full screen, above every other window, in front, with the cursor kept on it and showing one of
// the toy's pictures from the start, not only once the mouse moves.
void CMainFrame::CoverScreenOnTop() {
  ::ShowWindow(Handle(), SW_MAXIMIZE);
  SwitchOffEdgeSwipes(Handle());
  ::SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  ForceForeground(Handle());
  ConfineCursor();
  ChooseCursor();
}

// The keyboard hook of the Windows family the options library names; false when it names none.
bool CMainFrame::LockDown() {
  windowsFamily = QueryWindowsFamily(Handle());
  if (windowsFamily == WindowsFamily::Unknown) return false;
  InstallLockdown();
  return true;
}

bool CMainFrame::ReadSettings() { return LoadSettings(settings) == 0; }

void CMainFrame::FinishStart() {
  if (clockWindow != nullptr || Handle() == nullptr) return;
  clockWindow = std::make_unique<CClockWindow>(Handle());
  clockWindow->Create();
  ApplyClockOption();
  monitorCovers.Cover(playSurface.Handle());
}

// A monitor came, went or changed: the frame, the cursor's bounds and the clock follow the primary
// monitor, and the others are covered anew.
LRESULT CMainFrame::OnDisplayChange(const Message& message) {
  const RECT primary = PrimaryMonitor();
  ::SetWindowPos(Handle(), nullptr, primary.left, primary.top, primary.right - primary.left,
                 primary.bottom - primary.top, SWP_NOZORDER | SWP_NOACTIVATE);
  ConfineCursor();
  if (clockWindow != nullptr && clockWindow->Handle() != nullptr) clockWindow->PlaceInCorner();
  monitorCovers.Cover(playSurface.Handle());
  return Default(message);
}

// The screen saver is kept off while the option asks for it and put back as the user had it
// otherwise, rather than forced on.
void CMainFrame::ApplyScreenSaverOption() {
  if (settings.noscreenserver == 1) {
    system_changes::SetScreenSaverActive(false);
  } else {
    system_changes::RestoreScreenSaver();
  }
}

// The clock shows without being activated, so the focus stays with the play surface: the toy's
// start-up Space and the child's first keys reach it. Without a clock window this does nothing.
void CMainFrame::ApplyClockOption() {
  if (clockWindow == nullptr || clockWindow->Handle() == nullptr) return;
  ::ShowWindow(clockWindow->Handle(), settings.time == 1 ? SW_SHOWNA : SW_HIDE);
}

void CMainFrame::InstallLockdown() {
  TheGrownUpGestures().Attach(Handle());
  keyboardLockdown.Install(windowsFamily == WindowsFamily::Legacy, Handle());
  hookKeeper.Start(Handle(), keyboardLockdown);
}

void CMainFrame::RemoveLockdown() {
  hookKeeper.Stop();
  keyboardLockdown.Remove();
  TheGrownUpGestures().Attach(nullptr);
}

void CMainFrame::ForceForeground(HWND window) {
  const DWORD windowThread = ::GetWindowThreadProcessId(window, nullptr);
  const HWND foreground = ::GetForegroundWindow();
  const DWORD foregroundThread = foreground != nullptr ? ::GetWindowThreadProcessId(foreground, nullptr) : 0;
  if (windowThread == 0 || foregroundThread == 0) return;
  if (!::AttachThreadInput(windowThread, foregroundThread, TRUE)) return;
  ::SetForegroundWindow(window);
  ::AttachThreadInput(windowThread, foregroundThread, FALSE);
}

void CMainFrame::ConfineCursor() {
  RECT client{};
  ::GetClientRect(Handle(), &client);
  ::MapWindowPoints(Handle(), nullptr, reinterpret_cast<POINT*>(&client), 2);  // the clip is in screen coordinates
  const Rect area = ConfinementRect({client.left, client.top, client.right, client.bottom}, TaskBar());
  clipArea = RECT{area.left, area.top, area.right, area.bottom};
  system_changes::ConfineCursor(clipArea);
}

void CMainFrame::ChooseCursor() {
  const auto slot = static_cast<std::size_t>(CursorSlotForIndex(CRandomPicker().IndexBySecond()));
  if (const HCURSOR cursor = cursors[slot].Get(); cursor != nullptr) ::SetCursor(cursor);
}

LRESULT CMainFrame::OnSetCursor(const Message& message) {
  // The cursor outside its bounds: the system has dropped them (the secure desktop does).
  POINT cursor{};
  if (::GetCursorPos(&cursor) && !::PtInRect(&clipArea, cursor)) ConfineCursor();
  ChooseCursor();
  return Default(message);
}

// The grown-up keys count only as a deliberate chord, judged at the key's release by the keyboard
// hook's chord judge: Shift+Esc opens the grown-up menu once the Esc release has reached the play
// surface, Alt+F4 closes the toy where the options allow it. The F4 press with Alt never reaches
// the system's own Alt+F4.
bool CMainFrame::PreTranslateMessage(MSG& message) {
  switch (message.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      TheGrownUpGestures().PressReachedFrame(static_cast<unsigned>(message.wParam));
      // Alt is also told by the key message itself (its context bit), as the system does.
      const bool altHeld =
          KeyHeld(VK_MENU) || (message.message == WM_SYSKEYDOWN && (message.lParam & (LPARAM{1} << 29)) != 0);
      if (message.wParam == VK_F4 && altHeld) return true;
      break;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP: {
      unsigned menu = 0;
      switch (TheGrownUpGestures().TakeFrameVerdict(message, &menu)) {
        case GrownUpVerdict::OpenMenu:
          ::PostMessageW(Handle(), WMU_SHOW_GROWN_UP_MENU, menu, 0);
          break;
        case GrownUpVerdict::CloseToy:
          if (settings.endaltf4 != 0) ::PostMessageW(Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
          break;
        default:
          break;
      }
      break;
    }
    default:
      break;
  }
  return FrameWindow::PreTranslateMessage(message);
}

LRESULT CMainFrame::OnShowGrownUpMenu(const Message& message) {
  // The chosen command comes to the frame as WM_COMMAND and is routed from there.
  const UINT command = TrackGrownUpMenu(Handle(), static_cast<unsigned>(message.wParam));
  TheGrownUpGestures().ModalLoopEnded();
  if (command != 0) {
    ::PostMessageW(Handle(), WM_COMMAND, command, 0);
  }
  return 0;
}

LRESULT CMainFrame::OnEndGrownUpMenu(const Message&) {
  EndGrownUpMenuIfAsked();
  return 0;
}

LRESULT CMainFrame::OnSetFocus(const Message&) {
  ::SetFocus(playSurface.Handle());
  return 0;
}

// Losing the activation to a window of another program is looked at once the change is done.
// Being activated may raise the frame above its clock.
LRESULT CMainFrame::OnActivate(const Message& message) {
  if (LOWORD(message.wParam) == WA_INACTIVE && message.lParam == 0) {
    ::PostMessageW(Handle(), WMU_RECLAIM_FOREGROUND, 0, 0);
  }
  if (LOWORD(message.wParam) != WA_INACTIVE && clockWindow != nullptr) clockWindow->KeepAboveOwner();
  return Default(message);
}

// So may a change of the frame's place in the Z order or on the screen.
LRESULT CMainFrame::OnWindowPosChanged(const Message& message) {
  const UINT unchanged = SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE;
  if (clockWindow != nullptr && (reinterpret_cast<const WINDOWPOS*>(message.lParam)->flags & unchanged) != unchanged) {
    clockWindow->KeepAboveOwner();
  }
  return Default(message);
}

// Nobody chose the desktop: it gets the activation when a window of the toy goes at the wrong
// moment (as Wine may do when a menu or popup closes), and the child's keys would then reach
// nothing. The toy takes it back, and the cursor's bounds with it. A grown-up's dialog or any other
// program's window is left in front.
LRESULT CMainFrame::OnReclaimForeground(const Message&) {
  const HWND front = ::GetForegroundWindow();
  if (front != nullptr && front != ::GetDesktopWindow() && front != ::GetShellWindow()) return 0;
  ::SetForegroundWindow(Handle());
  ::SetFocus(playSurface.Handle());
  ConfineCursor();
  return 0;
}

LRESULT CMainFrame::OnQueryEndSession(const Message&) { return FALSE; }

LRESULT CMainFrame::OnPowerBroadcast(const Message& message) {
  if (message.wParam == PBT_APMRESUMEAUTOMATIC) LockAfterSecureDesktop();
  return message.wParam == PBT_APMQUERYSUSPEND ? BROADCAST_QUERY_DENY : TRUE;
}

LRESULT CMainFrame::OnSessionChange(const Message& message) {
  if (message.wParam == WTS_SESSION_UNLOCK) LockAfterSecureDesktop();
  return 0;
}

LRESULT CMainFrame::OnRawInput(const Message& message) {
  if (hookKeeper.OnRawInput()) TakeFrontBack();
  return Default(message);
}

LRESULT CMainFrame::OnTimer(const Message& message) {
  if (hookKeeper.OnTimer(message.wParam)) TakeFrontBack();
  return 0;
}

// The cursor reached another monitor, which only a dropped clip allows.
LRESULT CMainFrame::OnCursorOnCover(const Message&) {
  ConfineCursor();
  return 0;
}

// A window of the toy's own in front (a grown-up's dialog) keeps its place.
void CMainFrame::TakeFrontBack() {
  DWORD frontProcess = 0;
  ::GetWindowThreadProcessId(::GetForegroundWindow(), &frontProcess);
  if (frontProcess != ::GetCurrentProcessId()) {
    ForceForeground(Handle());
    ::SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ::SetFocus(playSurface.Handle());
  }
  ConfineCursor();
}

// Top-most again only if the frame lost it: a window that a grown-up put in front stays there.
void CMainFrame::LockAfterSecureDesktop() {
  hookKeeper.Renew();
  if ((::GetWindowLongPtrW(Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST) == 0) {
    ::SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  ConfineCursor();
  ::PostMessageW(Handle(), WMU_RECLAIM_FOREGROUND, 0, 0);
}

LRESULT CMainFrame::OnSettingsChanged(const Message& message) {
  LoadSettings(settings);
  ::SendMessageW(playSurface.Handle(), WMU_SETTINGS_CHANGED, message.wParam, message.lParam);
  ApplyScreenSaverOption();
  ApplyClockOption();
  ::SetFocus(Handle());
  ::InvalidateRect(Handle(), nullptr, TRUE);
  return 1;
}

LRESULT CMainFrame::OnSoundCue(const Message& message) {
  ::SendMessageW(playSurface.Handle(), WMU_SOUND_CUE, message.wParam, message.lParam);
  return 1;
}

// The effects end before the windows they draw on start to go.
LRESULT CMainFrame::OnClose(const Message& message) {
  playSurface.EndEffects();
  return Default(message);
}

LRESULT CMainFrame::OnDestroy(const Message& message) {
  monitorCovers.Remove();
  RemoveLockdown();
  system_changes::RestoreScreenSaver();
  return Default(message);
}
