// The yardstick for the toy's figures: the least a program can do to answer a key with a filled
// screen. One full-screen top-most window that fills itself with the next of two colours on every
// key release, straight from the window procedure, and does nothing else.
#include <windows.h>

namespace {

int nextColour = 0;

LRESULT CALLBACK BareWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_KEYUP: {
      static const COLORREF colours[] = {RGB(255, 128, 128), RGB(0, 0, 255)};
      HBRUSH brush = ::CreateSolidBrush(colours[nextColour++ % 2]);
      RECT client{};
      ::GetClientRect(window, &client);
      HDC dc = ::GetDC(window);
      ::FillRect(dc, &client, brush);
      ::ReleaseDC(window, dc);
      ::DeleteObject(brush);
      return 0;
    }
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return 0;
    default:
      return ::DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = &BareWindowProcedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
  windowClass.lpszClassName = L"MimiBareWindow";
  ::RegisterClassW(&windowClass);
  const HWND window = ::CreateWindowExW(WS_EX_TOPMOST, L"MimiBareWindow", L"bare window", WS_POPUP | WS_VISIBLE, 0, 0,
                                        ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN), nullptr,
                                        nullptr, instance, nullptr);
  if (window == nullptr) return 1;
  ::SetForegroundWindow(window);
  MSG message;
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  return 0;
}
