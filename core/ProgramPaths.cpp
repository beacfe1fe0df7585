#include "core/ProgramPaths.h"

namespace program_paths {
namespace {

template <class Char>
BasicSplitPath<Char> SplitAny(std::basic_string_view<Char> fullPath) {
  static constexpr Char separators[] = {Char('\\'), Char('/'), Char(0)};
  BasicSplitPath<Char> parts;
  std::basic_string_view<Char> rest = fullPath;
  if (rest.size() >= 2 && rest[1] == Char(':')) {
    parts.drive = rest.substr(0, 2);
    rest.remove_prefix(2);
  }
  const std::size_t lastSeparator = rest.find_last_of(separators);
  if (lastSeparator != rest.npos) {
    parts.folder = rest.substr(0, lastSeparator + 1);
    rest.remove_prefix(lastSeparator + 1);
  }
  const std::size_t lastDot = rest.find_last_of(Char('.'));
  if (lastDot != rest.npos) {
    parts.extension = rest.substr(lastDot);
    rest = rest.substr(0, lastDot);
  }
  parts.name = rest;
  return parts;
}

template <class Char>
std::basic_string<Char> OptionsFileAny(std::basic_string_view<Char> executablePath) {
  const BasicSplitPath<Char> parts = SplitAny(executablePath);
  return parts.drive + parts.folder + std::basic_string<Char>(OptionsFileName.begin(), OptionsFileName.end());
}

template <class Char>
std::basic_string<Char> ReadmeAny(std::basic_string_view<Char> executablePath) {
  static constexpr Char extension[] = {Char('.'), Char('t'), Char('x'), Char('t'), Char(0)};
  const BasicSplitPath<Char> parts = SplitAny(executablePath);
  return parts.drive + parts.folder + parts.name + extension;
}

}  // namespace

SplitPath Split(std::string_view fullPath) { return SplitAny(fullPath); }

BasicSplitPath<wchar_t> Split(std::wstring_view fullPath) { return SplitAny(fullPath); }

std::optional<std::string> OptionsFile(std::string_view executablePath, std::size_t capacity) {
  std::string path = OptionsFileAny(executablePath);
  if (path.size() + 1 > capacity) return std::nullopt;
  return path;
}

std::wstring OptionsFile(std::wstring_view executablePath) { return OptionsFileAny(executablePath); }

std::string ReadmeFile(std::string_view executablePath) { return ReadmeAny(executablePath); }

std::wstring ReadmeFile(std::wstring_view executablePath) { return ReadmeAny(executablePath); }

}  // namespace program_paths
