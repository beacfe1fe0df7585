#include "core/MediaPath.h"

#include <windows.h>

std::wstring WideMediaName(const char* relativePath) {
  std::wstring name;
  for (const char* c = relativePath; *c != '\0'; ++c) name.push_back(static_cast<wchar_t>(static_cast<unsigned char>(*c)));
  return name;
}

std::wstring MediaPathFromCurrentDirectory(const char* relativePath) {
  const std::wstring relative = WideMediaName(relativePath);
  std::wstring full(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = ::GetFullPathNameW(relative.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (length == 0) return relative;
    if (length < full.size()) {
      full.resize(length);
      return full;
    }
    full.resize(length);
  }
}
