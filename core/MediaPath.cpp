#include "core/MediaPath.h"

#include <windows.h>

std::wstring WideMediaName(const char* relativePath) {
  std::wstring name;
  for (const char* c = relativePath; *c != '\0'; ++c) name.push_back(static_cast<wchar_t>(static_cast<unsigned char>(*c)));
  return name;
}

namespace {

// A path from a call that answers the length it wrote, or the length it needs (its terminator
// included) when the buffer is too small, or 0 when it fails (then the path is empty).
template <typename Fill>
std::wstring PathFrom(Fill fill) {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = fill(path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    const bool fits = length < path.size();
    path.resize(length);
    if (fits) return path;
  }
}

bool CodePageSpells(const std::wstring& text) {
  if (::GetACP() == CP_UTF8) return true;
  BOOL lost = FALSE;
  const int length = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.c_str(), static_cast<int>(text.size()),
                                           nullptr, 0, nullptr, &lost);
  return length > 0 && !lost;
}

std::wstring FullPath(const std::wstring& relative) {
  const std::wstring full = PathFrom([&relative](wchar_t* buffer, DWORD size) {
    return ::GetFullPathNameW(relative.c_str(), size, buffer, nullptr);
  });
  return full.empty() ? relative : full;
}

}  // namespace

std::wstring MediaPathFromCurrentDirectory(const char* relativePath) {
  return FullPath(WideMediaName(relativePath));
}

std::wstring SoundFilePath(const std::wstring& relativePath) {
  const std::wstring full = FullPath(relativePath);
  if (CodePageSpells(full)) return relativePath;
  const std::wstring shortPath =
      PathFrom([&full](wchar_t* buffer, DWORD size) { return ::GetShortPathNameW(full.c_str(), buffer, size); });
  return !shortPath.empty() && CodePageSpells(shortPath) ? shortPath : relativePath;
}
