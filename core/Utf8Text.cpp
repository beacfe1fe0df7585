#include "core/Utf8Text.h"

#include <windows.h>

std::wstring WideFromUtf8(const char* utf8) {
  const int length = ::MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
  if (length <= 1) return {};
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, utf8, -1, wide.data(), length);
  wide.resize(static_cast<std::size_t>(length) - 1);
  return wide;
}
