#pragma once
#include <windows.h>

#include <string>

// The parameters of a window about to be created; the before-create hook may change any of them.
struct CreateParams {
  DWORD exStyle = 0;
  std::wstring className;
  std::wstring title;
  DWORD style = 0;
  RECT rect{CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT};  // left, top, width, height
  HWND parent = nullptr;
  HMENU menuOrId = nullptr;
};

struct Message {
  UINT id;
  WPARAM wParam;
  LPARAM lParam;
};

// A window object bound to its HWND from WM_NCCREATE to WM_NCDESTROY. Messages go through
// HandleMessage; what a class does not handle goes to the platform's default processing.
class Window {
 public:
  Window() = default;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  virtual ~Window();

  HWND Handle() const { return hwnd_; }

  // Runs the before-create hook, then creates the window. False when the hook or the creation
  // (for instance a WM_CREATE answered with -1) refuses.
  bool Create(CreateParams params);

  // Takes over a window that already exists, such as a dialog's control: its messages come to
  // this object, and what the object leaves goes to the window's own procedure. The window keeps
  // its owner, who destroys it; the object gives it back if it goes first.
  bool SubclassWindow(HWND window);

  // Seen for every queued message addressed to this window or a window below it, before
  // dispatch; true consumes the message.
  virtual bool PreTranslateMessage(MSG& message);

  // Offers a command to this window's own command handlers; the frame extends the route.
  virtual bool RouteCommand(UINT commandId);

  static Window* FromHandle(HWND window);

  // Registers (once) a window class under a name generated from its attributes, and returns it.
  static std::wstring GeneratedClass(UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon);

 protected:
  virtual bool PreCreateWindow(CreateParams& params);
  virtual LRESULT HandleMessage(const Message& message);
  // Called after WM_NCDESTROY, once the object is no longer bound to a window.
  virtual void PostNcDestroy() {}
  // Runs as SubclassWindow binds the window, before its messages start to come here.
  virtual void PreSubclassWindow() {}
  LRESULT DefaultProcessing(const Message& message);

  // The class's own command table; false when the command is not in it.
  virtual bool HandleOwnCommand(UINT) { return false; }

 private:
  friend class Dialog;
  static LRESULT CALLBACK WindowProcedure(HWND window, UINT id, WPARAM wParam, LPARAM lParam) noexcept;
  void BindTo(HWND window) { hwnd_ = window; }
  void GiveBackProcedure();

  HWND hwnd_ = nullptr;
  // The taken-over window's own procedure; null for windows this framework created.
  WNDPROC ownProcedure_ = nullptr;
};
