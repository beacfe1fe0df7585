#include "ScenarioApp.h"

#include "Report.h"

namespace {
// The watchdog's own quit code, so that its WM_QUIT is never mistaken for the frame's.
constexpr int WatchdogQuitCode = 0x7D;
ScenarioApp* observed = nullptr;
}  // namespace

int ScenarioApp::RunWithin(DWORD timeoutMs) {
  observed = this;
  const HHOOK hook = ::SetWindowsHookExW(WH_GETMESSAGE, &GetMessageHook, nullptr, ::GetCurrentThreadId());
  const UINT_PTR timer = ::SetTimer(nullptr, 0, timeoutMs, &Watchdog);
  const int result = Run();
  ::KillTimer(nullptr, timer);
  if (hook != nullptr) ::UnhookWindowsHookEx(hook);
  observed = nullptr;
  DrainQueue();
  return result;
}

bool ScenarioApp::ShowMainFrame(FrameWindow* frame, CreateParams params) {
  SetMainWindow(frame);
  if (!frame->CreateFrame(std::move(params))) return false;
  ::ShowWindow(frame->Handle(), SW_SHOW);
  return true;
}

std::string ScenarioApp::HowItEnded() const {
  if (timedOut_) return "the watchdog ended a hung loop";
  if (!quitRetrieved_) return "the loop ended without retrieving WM_QUIT";
  return Format("WM_QUIT code %llu, %d messages retrieved after it",
                static_cast<unsigned long long>(quitCode_), retrievedAfterQuit_);
}

LRESULT CALLBACK ScenarioApp::GetMessageHook(int code, WPARAM wParam, LPARAM lParam) noexcept {
  if (code == HC_ACTION && wParam == PM_REMOVE && observed != nullptr) {
    const MSG& message = *reinterpret_cast<const MSG*>(lParam);
    if (observed->quitRetrieved_) {
      ++observed->retrievedAfterQuit_;
    } else if (message.message == WM_QUIT) {
      observed->quitRetrieved_ = true;
      observed->quitCode_ = message.wParam;
    }
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

void CALLBACK ScenarioApp::Watchdog(HWND, UINT, UINT_PTR, DWORD) noexcept {
  if (observed == nullptr || observed->timedOut_) return;
  observed->timedOut_ = true;
  ::PostQuitMessage(WatchdogQuitCode);
}

void DrainQueue() {
  MSG message{};
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
}
