#include "framework/Application.h"

#include "framework/Window.h"

namespace {
Application* current = nullptr;
}

Application::Application() { current = this; }

Application::~Application() {
  if (current == this) current = nullptr;
}

Application* Application::Current() { return current; }

bool Application::PreDispatch(MSG& message) {
  const HWND top = mainWindow_ != nullptr ? mainWindow_->Handle() : nullptr;
  for (HWND target = message.hwnd; target != nullptr; target = ::GetParent(target)) {
    if (Window* window = Window::FromHandle(target); window != nullptr && window->PreTranslateMessage(message)) {
      return true;
    }
    if (target == top) break;
  }
  return false;
}

int Application::Run() noexcept {
  bool started = false;
  try {
    started = InitInstance();
    MSG message{};
    while (started && ::GetMessageW(&message, nullptr, 0, 0) > 0) {
      if (PreDispatch(message)) continue;
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
  } catch (...) {
    // Exit still runs: it puts back what start-up changed.
  }
  try {
    return ExitInstance();
  } catch (...) {
    return 0;
  }
}
