#include "app/MonitorCovers.h"

#include <memory>

#include "core/FitRect.h"
#include "core/PictureChanges.h"
#include "framework/DrawingContext.h"
#include "framework/SystemRequests.h"

namespace {

constexpr wchar_t CoverClass[] = L"MimitapMonitorCover";
constexpr DWORD CopyIntervalMs = 16;  // at most about 60 copies a second
// A change is copied this long after it is noted, so that the drawing on the primary monitor goes
// to the screen first: the child looks there.
constexpr DWORD CopyDelayMs = 4;
constexpr DWORD StartTimeoutMs = 2000;
constexpr DWORD StopTimeoutMs = 2000;

// Per-monitor DPI awareness for the calling thread, where the system has it (Windows 10 1607 and
// later; the toy also runs on Windows 7). A thread that is only aware of the system's DPI sees the
// rectangles of monitors with another scaling virtualised, and a cover made from them may not fit
// its monitor.
void BecomePerMonitorDpiAware() {
  using SetThreadDpiAwarenessContextExport = HANDLE(WINAPI*)(HANDLE);
  const HANDLE perMonitorAwareV2 = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4));
  const HANDLE perMonitorAware = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-3));
  const HMODULE user = ::GetModuleHandleW(L"user32.dll");
  const auto setAwareness = user == nullptr ? nullptr
                                            : reinterpret_cast<SetThreadDpiAwarenessContextExport>(reinterpret_cast<void*>(
                                                  ::GetProcAddress(user, "SetThreadDpiAwarenessContext")));
  if (setAwareness == nullptr) return;
  if (setAwareness(perMonitorAwareV2) == nullptr) setAwareness(perMonitorAware);
}

BOOL CALLBACK AddIfNotPrimary(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (::GetMonitorInfoW(monitor, &info) && (info.dwFlags & MONITORINFOF_PRIMARY) == 0) {
    reinterpret_cast<std::vector<RECT>*>(list)->push_back(info.rcMonitor);
  }
  return TRUE;
}

std::vector<RECT> OtherMonitors() {
  std::vector<RECT> monitors;
  ::EnumDisplayMonitors(nullptr, nullptr, &AddIfNotPrimary, reinterpret_cast<LPARAM>(&monitors));
  return monitors;
}

LRESULT CALLBACK CoverProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_NCHITTEST:
      return HTCLIENT;  // every click stays with the cover
    case WM_MOUSEMOVE:
      if (const auto frame = reinterpret_cast<HWND>(::GetWindowLongPtrW(window, GWLP_USERDATA)); frame != nullptr) {
        ::PostMessageW(frame, WMU_CURSOR_ON_COVER, 0, 0);
      }
      return 0;
    case WM_APPCOMMAND:
      return AppCommandDone;
    case WM_TABLET_QUERYSYSTEMGESTURESTATUS_:
      return NoSystemGestures;
    case WM_ERASEBKGND:
      return 1;  // the copy paints all of it
    case WM_PAINT: {
      { const PaintScope paint(window); }
      picture_changes::Note();
      return 0;
    }
    default:
      return ::DefWindowProcW(window, message, wParam, lParam);
  }
}

bool RegisterCoverClass() {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = &CoverProcedure;
  windowClass.hInstance = ::GetModuleHandleW(nullptr);
  windowClass.hbrBackground = static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH));
  windowClass.lpszClassName = CoverClass;
  return ::RegisterClassExW(&windowClass) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

Rect ToRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

// The play surface's picture, and the window shown over it, onto one cover.
void CopyPicture(HWND surface, HDC from, int width, int height, HWND cover) {
  const ClientDC to(cover);
  if (!to) return;
  RECT client{};
  ::GetClientRect(cover, &client);
  const Rect fit = FitInside(ToRect(client), width, height);
  // The bands beside and above or below the picture.
  ::PatBlt(to.Get(), 0, 0, client.right, fit.top, BLACKNESS);
  ::PatBlt(to.Get(), 0, fit.bottom, client.right, client.bottom - fit.bottom, BLACKNESS);
  ::PatBlt(to.Get(), 0, fit.top, fit.left, fit.Height(), BLACKNESS);
  ::PatBlt(to.Get(), fit.right, fit.top, client.right - fit.right, fit.Height(), BLACKNESS);
  ::SetStretchBltMode(to.Get(), COLORONCOLOR);
  ::StretchBlt(to.Get(), fit.left, fit.top, fit.Width(), fit.Height(), from, 0, 0, width, height, SRCCOPY);

  const HWND overlay = picture_changes::Overlay();
  if (overlay == nullptr || !::IsWindowVisible(overlay)) return;
  RECT shown{};
  ::GetWindowRect(overlay, &shown);
  POINT origin{0, 0};
  ::ClientToScreen(surface, &origin);
  const auto scaleX = [&](LONG x) { return fit.left + MulDiv(x - origin.x, fit.Width(), width); };
  const auto scaleY = [&](LONG y) { return fit.top + MulDiv(y - origin.y, fit.Height(), height); };
  const ClientDC overlayDc(overlay, true);
  if (!overlayDc) return;
  ::StretchBlt(to.Get(), scaleX(shown.left), scaleY(shown.top), scaleX(shown.right) - scaleX(shown.left),
               scaleY(shown.bottom) - scaleY(shown.top), overlayDc.Get(), 0, 0, shown.right - shown.left,
               shown.bottom - shown.top, SRCCOPY);
}

void CopyToCovers(HWND surface, const std::vector<HWND>& covers) {
  const ClientDC from(surface);
  if (!from) return;
  RECT source{};
  ::GetClientRect(surface, &source);
  for (const HWND cover : covers) CopyPicture(surface, from.Get(), source.right, source.bottom, cover);
}

// Handles the thread's messages; false once it is told to quit.
bool PumpMessages() {
  MSG message;
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) return false;
    ::DispatchMessageW(&message);
  }
  return true;
}

// Waits up to `timeoutMs` for the picture to change (true) or a message to arrive (false).
bool WaitForChange(HANDLE changed, DWORD timeoutMs) {
  return ::MsgWaitForMultipleObjects(1, &changed, FALSE, timeoutMs, QS_ALLINPUT) == WAIT_OBJECT_0;
}

// The monitors are listed here, on the covers' own thread, once it is aware of each monitor's DPI.
void RunCovers(HWND surface, std::shared_ptr<OwnedKernelHandle> started) {
  MSG message;
  ::PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);  // the queue that the quit is posted to
  BecomePerMonitorDpiAware();
  const unsigned turn = picture_changes::Listen();
  const HANDLE changed = picture_changes::ChangedEvent();
  std::vector<HWND> covers;
  if (changed != nullptr && RegisterCoverClass()) {
    for (const RECT& monitor : OtherMonitors()) {
      const HWND cover = ::CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, CoverClass, L"",
                                           WS_POPUP, monitor.left, monitor.top, monitor.right - monitor.left,
                                           monitor.bottom - monitor.top, nullptr, nullptr,
                                           ::GetModuleHandleW(nullptr), nullptr);
      if (cover == nullptr) continue;
      ::SetWindowLongPtrW(cover, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(::GetAncestor(surface, GA_ROOT)));
      ::ShowWindow(cover, SW_SHOWNOACTIVATE);
      covers.push_back(cover);
    }
  }
  ::SetEvent(changed);  // the first copy
  ::SetEvent(started->Get());
  bool running = !covers.empty();
  // Handles messages for `ms` without copying; a change meanwhile keeps the event set.
  const auto pause = [&running](DWORD ms) {
    const DWORD from = ::GetTickCount();
    for (DWORD waited = 0; running && waited < ms; waited = ::GetTickCount() - from) {
      ::MsgWaitForMultipleObjects(0, nullptr, FALSE, ms - waited, QS_ALLINPUT);
      running = PumpMessages();
    }
  };
  while (running) {
    if (WaitForChange(changed, INFINITE)) {
      if (!picture_changes::StillListening(turn)) {
        ::SetEvent(changed);  // the change is for the covers that came after these
        break;
      }
      pause(CopyDelayMs);
      if (!running) break;
      CopyToCovers(surface, covers);
      pause(CopyIntervalMs - CopyDelayMs);  // the next copy waits its turn
    } else {
      running = PumpMessages();
    }
  }
  picture_changes::StopListening(turn);
  for (const HWND cover : covers) ::DestroyWindow(cover);
}

}  // namespace

void MonitorCovers::Cover(HWND surface) {
  Remove();
  if (::GetSystemMetrics(SM_CMONITORS) < 2) return;
  auto started = std::make_shared<OwnedKernelHandle>(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
  if (!*started) return;
  if (thread_.Start([surface, started] { RunCovers(surface, started); }, THREAD_PRIORITY_BELOW_NORMAL)) {
    ::WaitForSingleObject(started->Get(), StartTimeoutMs);
  }
}

void MonitorCovers::Remove() {
  if (!thread_.Started()) return;
  ::PostThreadMessageW(thread_.Id(), WM_QUIT, 0, 0);
  if (!thread_.Join(StopTimeoutMs)) thread_.LetGo();
}
