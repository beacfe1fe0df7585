#include "core/MediaPath.h"

#include <windows.h>

std::wstring WideMediaName(const char* relativePath) {
  std::wstring name;
  for (const char* c = relativePath; *c != '\0'; ++c) name.push_back(static_cast<wchar_t>(static_cast<unsigned char>(*c)));
  return name;
}

namespace {

std::wstring FullPath(const std::wstring& relative) {
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

std::wstring ShortPath(const std::wstring& path) {
  std::wstring shortPath(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = ::GetShortPathNameW(path.c_str(), shortPath.data(), static_cast<DWORD>(shortPath.size()));
    if (length == 0) return {};
    if (length < shortPath.size()) {
      shortPath.resize(length);
      return shortPath;
    }
    shortPath.resize(length);
  }
}

bool CodePageSpells(const std::wstring& text) {
  if (::GetACP() == CP_UTF8) return true;
  BOOL lost = FALSE;
  const int length = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.c_str(), static_cast<int>(text.size()),
                                           nullptr, 0, nullptr, &lost);
  return length > 0 && !lost;
}

}  // namespace

std::wstring MediaPathFromCurrentDirectory(const char* relativePath) {
  return FullPath(WideMediaName(relativePath));
}

std::wstring SoundFilePath(const std::wstring& relativePath) {
  const std::wstring full = FullPath(relativePath);
  if (CodePageSpells(full)) return relativePath;
  const std::wstring shortPath = ShortPath(full);
  return !shortPath.empty() && CodePageSpells(shortPath) ? shortPath : relativePath;
}
