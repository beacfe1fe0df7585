#include "core/MediaPath.h"

#include <windows.h>

#include <optional>

#include "core/SoundSource.h"

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

// The length of a text in the ANSI code page, or nothing when that code page cannot spell it.
std::optional<std::size_t> CodePageLength(const std::wstring& text) {
  if (text.empty()) return std::nullopt;
  const bool utf8 = ::GetACP() == CP_UTF8;  // spells everything, and takes no flags
  BOOL lost = FALSE;
  const int length = ::WideCharToMultiByte(CP_ACP, utf8 ? 0 : WC_NO_BEST_FIT_CHARS, text.c_str(),
                                           static_cast<int>(text.size()), nullptr, 0, nullptr, utf8 ? nullptr : &lost);
  if (length <= 0 || lost) return std::nullopt;
  return static_cast<std::size_t>(length);
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

// The short path is looked up only when the full one will not do.
SoundFileAccess SoundFileAccessFor(const std::wstring& relativePath) {
  const std::wstring full = FullPath(relativePath);
  const std::optional<std::size_t> fullLength = CodePageLength(full);
  if (ChooseSoundSource(fullLength, std::nullopt) == SoundSource::FilePath) return {relativePath};
  const std::wstring shortPath =
      PathFrom([&full](wchar_t* buffer, DWORD size) { return ::GetShortPathNameW(full.c_str(), buffer, size); });
  if (ChooseSoundSource(fullLength, CodePageLength(shortPath)) == SoundSource::ShortPath) return {shortPath};
  return {full, true};
}
