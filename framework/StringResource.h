#pragma once
#include <windows.h>

#include <string_view>

// A string resource of `module`, read where it lies in the loaded image; empty when there is none.
inline std::wstring_view StringResource(HINSTANCE module, unsigned id) {
  const wchar_t* text = nullptr;
  const int length = ::LoadStringW(module, id, reinterpret_cast<LPWSTR>(&text), 0);
  return text != nullptr && length > 0 ? std::wstring_view(text, static_cast<std::size_t>(length))
                                       : std::wstring_view();
}
