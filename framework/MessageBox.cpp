#include "framework/MessageBox.h"

#include <string>

namespace {

// The box's own window is made top-most as it is activated: MB_TOPMOST alone is not honoured
// everywhere, and a box behind the toy's full-screen frame would leave a screen that ignores input.
thread_local HHOOK activationHook = nullptr;

LRESULT CALLBACK RaiseMessageBox(int code, WPARAM wParam, LPARAM lParam) noexcept {
  if (code == HCBT_ACTIVATE) {
    const auto window = reinterpret_cast<HWND>(wParam);
    wchar_t className[16] = {};
    ::GetClassNameW(window, className, 16);
    if (std::wstring_view(className) == L"#32770") {
      ::SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
  }
  return ::CallNextHookEx(activationHook, code, wParam, lParam);
}

}  // namespace

int ShowMessageBox(HWND owner, std::wstring_view text, std::wstring_view caption, UINT type) {
  const std::wstring ownText(text);
  const std::wstring ownCaption(caption);
  const HHOOK outer = activationHook;
  activationHook = ::SetWindowsHookExW(WH_CBT, &RaiseMessageBox, nullptr, ::GetCurrentThreadId());
  const int answer =
      ::MessageBoxW(owner, ownText.c_str(), ownCaption.c_str(), type | MB_TOPMOST | MB_SETFOREGROUND);
  if (activationHook != nullptr) ::UnhookWindowsHookEx(activationHook);
  activationHook = outer;
  return answer;
}
