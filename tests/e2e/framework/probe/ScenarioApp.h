#pragma once
#include <windows.h>

#include <string>

#include "framework/Application.h"
#include "framework/FrameWindow.h"

// An application object for one scenario: start-up builds the scenario's windows, the real loop
// runs until the scenario's main frame is gone, and a watchdog ends a scenario that hangs. A
// message hook watches what the loop retrieves, so the probe can tell how the loop ended.
class ScenarioApp : public Application {
 public:
  // Application::Run under the watchdog; returns what Run returned.
  int RunWithin(DWORD timeoutMs);

  bool TimedOut() const { return timedOut_; }
  bool ExitRan() const { return exitRan_; }
  // WM_QUIT came out of the queue with code 0 and was the last message retrieved.
  bool EndedByQuit() const { return quitRetrieved_ && quitCode_ == 0 && retrievedAfterQuit_ == 0; }
  std::string HowItEnded() const;

 protected:
  // Makes `frame` the main window, creates it from `params` and shows it; false when creation
  // failed (the frame has then deleted itself).
  bool ShowMainFrame(FrameWindow* frame, CreateParams params);

  int ExitInstance() override {
    exitRan_ = true;
    return 0;
  }

 private:
  static LRESULT CALLBACK GetMessageHook(int code, WPARAM wParam, LPARAM lParam) noexcept;
  static void CALLBACK Watchdog(HWND, UINT, UINT_PTR, DWORD) noexcept;

  bool timedOut_ = false;
  bool exitRan_ = false;
  bool quitRetrieved_ = false;
  WPARAM quitCode_ = 0;
  int retrievedAfterQuit_ = 0;
};

// Dispatches whatever is left in this thread's queue and throws away a pending WM_QUIT, so that
// one scenario's leftovers cannot end the next one's loop.
void DrainQueue();

// Runs the thread's queue until `done` says so or `timeoutMs` passes; false on timeout.
template <class Done>
bool PumpUntil(Done done, DWORD timeoutMs) {
  const DWORD start = ::GetTickCount();
  while (!done()) {
    if (::GetTickCount() - start > timeoutMs) return false;
    MSG message{};
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  return true;
}
