#pragma once
#include <windows.h>

#include <utility>

// Move-only owner of one platform handle; the deleter runs exactly once, on every path.
template <class Handle, auto Release>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) : handle_(handle) {}
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, Handle{})) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.handle_, Handle{}));
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  ~UniqueHandle() { Reset(); }

  Handle Get() const { return handle_; }
  explicit operator bool() const { return handle_ != Handle{}; }
  void Reset(Handle handle = Handle{}) {
    if (handle_ != Handle{}) Release(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_{};
};

namespace handle_release {
inline void GdiObject(HGDIOBJ object) { ::DeleteObject(object); }
inline void Icon(HICON icon) { ::DestroyIcon(icon); }
inline void Cursor(HCURSOR cursor) { ::DestroyCursor(cursor); }
inline void Kernel(HANDLE handle) { ::CloseHandle(handle); }
inline void Library(HMODULE module) { ::FreeLibrary(module); }
inline void Menu(HMENU menu) { ::DestroyMenu(menu); }
inline void Hook(HHOOK hook) { ::UnhookWindowsHookEx(hook); }
}  // namespace handle_release

using OwnedPen = UniqueHandle<HPEN, handle_release::GdiObject>;
using OwnedBrush = UniqueHandle<HBRUSH, handle_release::GdiObject>;
using OwnedFont = UniqueHandle<HFONT, handle_release::GdiObject>;
using OwnedBitmap = UniqueHandle<HBITMAP, handle_release::GdiObject>;
using OwnedIcon = UniqueHandle<HICON, handle_release::Icon>;
using OwnedCursor = UniqueHandle<HCURSOR, handle_release::Cursor>;
using OwnedKernelHandle = UniqueHandle<HANDLE, handle_release::Kernel>;
using OwnedLibrary = UniqueHandle<HMODULE, handle_release::Library>;
using OwnedMenu = UniqueHandle<HMENU, handle_release::Menu>;
using OwnedHook = UniqueHandle<HHOOK, handle_release::Hook>;
