#include "clock/CClockWindow.h"

#include "clock/ClockColors.h"
#include "core/CRandomPicker.h"
#include "core/MediaTable.h"
#include "core/PrivateMessages.h"
#include "framework/PrimaryMonitor.h"
#include "resources/resource.h"

namespace {

// An owned window stays above its owner. Wine without a window manager breaks that whenever the
// owner takes the keyboard focus: it raises the owner above all others, a moment after the
// activation and without a message to either window. So after each change that may do it the
// clock looks at its place now and a few times more over a second, and moves back above the owner;
// an idle toy never wakes for it.
constexpr UINT_PTR KeepAboveOwnerTimerId = 1;
constexpr UINT KeepAboveOwnerPeriodMs = 100;
constexpr int KeepAboveOwnerLooks = 10;

bool IsAbove(HWND upper, HWND lower) {
  for (HWND window = ::GetWindow(lower, GW_HWNDPREV); window != nullptr; window = ::GetWindow(window, GW_HWNDPREV)) {
    if (window == upper) return true;
  }
  return false;
}

}  // namespace

CClockWindow::CClockWindow(HWND ownerWindow)
    : MessageWindow(::GetModuleHandleW(nullptr), IDD_CLOCK), owner(ownerWindow) {}

// The window goes before its face, which is bound to one of its controls.
CClockWindow::~CClockWindow() {
  if (Handle() != nullptr) ::DestroyWindow(Handle());
}

std::span<const MessageEntry<CClockWindow>> CClockWindow::MessageTable() {
  static constexpr MessageEntry<CClockWindow> table[] = {
      {WM_LBUTTONDOWN, &CClockWindow::OnButton},
      {WM_LBUTTONUP, &CClockWindow::OnLeftButtonUp},
      {WM_MBUTTONDOWN, &CClockWindow::OnButton},
      {WM_MBUTTONUP, &CClockWindow::OnButton},
      {WM_RBUTTONDOWN, &CClockWindow::OnButton},
      {WM_RBUTTONUP, &CClockWindow::OnButton},
      {WM_CTLCOLORDLG, &CClockWindow::OnBackgroundColour},
      {WM_MOUSEACTIVATE, &CClockWindow::OnMouseActivate},
      {WM_TIMER, &CClockWindow::OnKeepAboveOwner},
      {WM_WINDOWPOSCHANGED, &CClockWindow::OnWindowPosChanged},
      {WM_APPCOMMAND, &CClockWindow::KeepAppCommand},
      {WM_TABLET_QUERYSYSTEMGESTURESTATUS_, &CClockWindow::RefuseSystemGestures},
  };
  return table;
}

bool CClockWindow::Create() {
  clockFace.SetTextColor(ClockTextColor(CRandomPicker().IndexBySecond()));
  return CreateModeless(owner);
}

// The primary monitor's bottom-right corner: with several monitors the desktop window spans them all.
void CClockWindow::PlaceInCorner() {
  RECT window{};
  ::GetWindowRect(Handle(), &window);
  const RECT screen = PrimaryMonitor();
  ::SetWindowPos(Handle(), nullptr, screen.right - (window.right - window.left),
                 screen.bottom - (window.bottom - window.top), 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CClockWindow::DoDataExchange(DataExchange& exchange) { exchange.Control(IDC_CLOCK_FACE, clockFace); }

bool CClockWindow::OnInitDialog() {
  Dialog::OnInitDialog();
  PlaceInCorner();
  HandFocusToOwner();
  // False: the dialog manager would otherwise put the focus on the face, which activates the
  // clock and takes the toy's start-up Space from the play surface.
  return false;
}

bool CClockWindow::PreTranslateMessage(MSG& message) {
  const bool forClock = message.hwnd == Handle() || ::IsChild(Handle(), message.hwnd);
  if (forClock && (message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN)) {
    HandFocusToOwner();
    return true;
  }
  return Dialog::PreTranslateMessage(message);
}

// A focus that is already with the owner stays where it is: moving it would raise the owner.
void CClockWindow::HandFocusToOwner() {
  const HWND focus = ::GetFocus();
  if (focus != owner && !::IsChild(owner, focus)) ::SetFocus(owner);
  ::SetForegroundWindow(owner);
}

// A click leaves the owner active, so the focus never leaves the play surface at all.
LRESULT CClockWindow::OnMouseActivate(const Message&) { return MA_NOACTIVATE; }

void CClockWindow::KeepAboveOwner() {
  if (Handle() == nullptr || !::IsWindowVisible(Handle())) return;
  RaiseAboveOwner();
  looksLeft = KeepAboveOwnerLooks;
  ::SetTimer(Handle(), KeepAboveOwnerTimerId, KeepAboveOwnerPeriodMs, nullptr);
}

LRESULT CClockWindow::OnKeepAboveOwner(const Message& message) {
  if (message.wParam != KeepAboveOwnerTimerId) return Default(message);
  RaiseAboveOwner();
  if (--looksLeft <= 0 || !::IsWindowVisible(Handle())) ::KillTimer(Handle(), KeepAboveOwnerTimerId);
  return 0;
}

void CClockWindow::RaiseAboveOwner() {
  if (::IsWindowVisible(Handle()) && IsAbove(owner, Handle())) {
    ::SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

// Shown: the owner may still be above it.
LRESULT CClockWindow::OnWindowPosChanged(const Message& message) {
  if ((reinterpret_cast<const WINDOWPOS*>(message.lParam)->flags & SWP_SHOWWINDOW) != 0) KeepAboveOwner();
  return Default(message);
}

LRESULT CClockWindow::OnButton(const Message& message) {
  HandFocusToOwner();
  return Default(message);
}

LRESULT CClockWindow::OnLeftButtonUp(const Message& message) {
  HandFocusToOwner();
  ::PostMessageW(owner, WMU_SOUND_CUE, static_cast<WPARAM>(media::SoundCue::Stop), 0);
  return Default(message);
}

LRESULT CClockWindow::OnBackgroundColour(const Message&) {
  return reinterpret_cast<LRESULT>(::GetStockObject(BLACK_BRUSH));
}
