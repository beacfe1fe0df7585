#include "framework/Window.h"

#include <cwchar>

#include "framework/Dialog.h"

namespace {
HINSTANCE ModuleInstance() { return ::GetModuleHandleW(nullptr); }
}  // namespace

Window::~Window() {
  // A window object that dies before its window must not leave the window pointing at it.
  if (hwnd_ != nullptr && ownProcedure_ != nullptr) {
    GiveBackProcedure();
  } else if (hwnd_ != nullptr) {
    ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    ::DestroyWindow(hwnd_);
  }
}

bool Window::Create(CreateParams params) {
  if (!PreCreateWindow(params)) return false;
  const HWND created = ::CreateWindowExW(
      params.exStyle, params.className.c_str(), params.title.c_str(), params.style, params.rect.left,
      params.rect.top, params.rect.right, params.rect.bottom, params.parent, params.menuOrId,
      ModuleInstance(), this);
  return created != nullptr;
}

bool Window::SubclassWindow(HWND window) {
  if (hwnd_ != nullptr || window == nullptr) return false;
  hwnd_ = window;
  PreSubclassWindow();
  ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  ownProcedure_ = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WindowProcedure)));
  return true;
}

void Window::GiveBackProcedure() {
  ::SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ownProcedure_));
  ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
  ownProcedure_ = nullptr;
  hwnd_ = nullptr;
}

bool Window::PreCreateWindow(CreateParams& params) {
  if (params.className.empty()) params.className = GeneratedClass(0, nullptr, nullptr, nullptr);
  return true;
}

bool Window::PreTranslateMessage(MSG&) { return false; }

bool Window::RouteCommand(UINT commandId) { return HandleOwnCommand(commandId); }

LRESULT Window::HandleMessage(const Message& message) {
  if (message.id == WM_COMMAND && RouteCommand(LOWORD(message.wParam))) return 0;
  return DefaultProcessing(message);
}

LRESULT Window::DefaultProcessing(const Message& message) {
  if (ownProcedure_ != nullptr) return ::CallWindowProcW(ownProcedure_, hwnd_, message.id, message.wParam, message.lParam);
  return ::DefWindowProcW(hwnd_, message.id, message.wParam, message.lParam);
}

Window* Window::FromHandle(HWND window) {
  if (window == nullptr) return nullptr;
  if (::GetWindowLongPtrW(window, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&WindowProcedure)) {
    return reinterpret_cast<Window*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  }
  if (::GetWindowLongPtrW(window, DWLP_DLGPROC) == reinterpret_cast<LONG_PTR>(&Dialog::DialogProcedure)) {
    return Dialog::Bound(window);
  }
  return nullptr;
}

std::wstring Window::GeneratedClass(UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon) {
  wchar_t name[96];
  std::swprintf(name, std::size(name), L"Mimitap:%x:%p:%p:%p", classStyle,
                static_cast<void*>(cursor), static_cast<void*>(background), static_cast<void*>(icon));
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof(existing);
  if (!::GetClassInfoExW(ModuleInstance(), name, &existing)) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = classStyle;
    windowClass.lpfnWndProc = &WindowProcedure;
    windowClass.hInstance = ModuleInstance();
    windowClass.hCursor = cursor;
    windowClass.hbrBackground = background;
    windowClass.hIcon = icon;
    windowClass.lpszClassName = name;
    ::RegisterClassExW(&windowClass);
  }
  return name;
}

LRESULT CALLBACK Window::WindowProcedure(HWND window, UINT id, WPARAM wParam, LPARAM lParam) noexcept {
  Window* self = nullptr;
  if (id == WM_NCCREATE) {
    self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    if (self != nullptr) {
      self->hwnd_ = window;
      ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
  } else {
    self = reinterpret_cast<Window*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  }
  if (self == nullptr) return ::DefWindowProcW(window, id, wParam, lParam);

  LRESULT result = 0;
  try {
    result = self->HandleMessage({id, wParam, lParam});
  } catch (...) {
    result = ::DefWindowProcW(window, id, wParam, lParam);
  }
  if (id == WM_NCDESTROY) {
    if (self->ownProcedure_ != nullptr) {
      self->GiveBackProcedure();
    } else {
      ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      self->hwnd_ = nullptr;
    }
    self->PostNcDestroy();
  }
  return result;
}
