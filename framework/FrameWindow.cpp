#include "framework/FrameWindow.h"

#include "framework/Application.h"

bool FrameWindow::CreateFrame(CreateParams params) {
  creating_ = true;
  const bool created = Create(std::move(params));
  creating_ = false;
  if (!created) delete this;
  return created;
}

bool FrameWindow::RouteCommand(UINT commandId) {
  if (Window* pane = FromHandle(Pane()); pane != nullptr && pane->RouteCommand(commandId)) return true;
  if (HandleOwnCommand(commandId)) return true;
  Application* application = Application::Current();
  return application != nullptr && application->HandleOwnCommand(commandId);
}

void FrameWindow::LayoutPane() {
  const HWND pane = Pane();
  if (pane == nullptr) return;
  RECT client{};
  ::GetClientRect(Handle(), &client);
  ::SetWindowPos(pane, nullptr, 0, 0, client.right, client.bottom,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT FrameWindow::HandleMessage(const Message& message) {
  switch (message.id) {
    case WM_SIZE:
      if (message.wParam != SIZE_MINIMIZED) LayoutPane();
      return 0;
    case WM_CLOSE:
      ::ShowWindow(Handle(), SW_HIDE);
      ::DestroyWindow(Handle());
      return 0;
    default:
      return Window::HandleMessage(message);
  }
}

void FrameWindow::PostNcDestroy() {
  Application* application = Application::Current();
  if (application != nullptr && application->MainWindow() == this) {
    application->SetMainWindow(nullptr);
    ::PostQuitMessage(0);
  }
  if (!creating_) delete this;
}
