#pragma once
#include <windows.h>

class Window;

// The application object: start-up, the message loop with its pre-dispatch chain, exit.
// One instance exists; command routing ends at it.
class Application {
 public:
  Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;
  virtual ~Application();

  static Application* Current();

  // Start-up, then the message loop if start-up succeeded, then exit; returns exit's code.
  int Run() noexcept;

  Window* MainWindow() const { return mainWindow_; }
  void SetMainWindow(Window* window) { mainWindow_ = window; }

  virtual bool HandleOwnCommand(UINT) { return false; }

  // Offers a queued message to the target window's pre-dispatch hook, then to each parent's up to
  // the main window; true when one of them consumed it.
  bool PreDispatch(MSG& message);

 protected:
  virtual bool InitInstance() = 0;
  virtual int ExitInstance() = 0;

 private:
  Window* mainWindow_ = nullptr;
};
