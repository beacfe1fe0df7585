#pragma once
#include <optional>
#include <string>
#include <string_view>

// Paths beside the program, built from the full path of its executable the way the C runtime's
// path splitter divides it (drive, folder with its trailing separator, name, extension).
namespace program_paths {

template <class Char>
struct BasicSplitPath {
  std::basic_string<Char> drive;
  std::basic_string<Char> folder;
  std::basic_string<Char> name;
  std::basic_string<Char> extension;
};
using SplitPath = BasicSplitPath<char>;
SplitPath Split(std::string_view fullPath);
BasicSplitPath<wchar_t> Split(std::wstring_view fullPath);

// The options file's name; the file lives in the program's folder.
inline constexpr std::string_view OptionsFileName = "mimitap.dat";

// The options file in the program's folder, or nothing when that path would not fit a buffer of
// `capacity` bytes with its terminating NUL.
std::optional<std::string> OptionsFile(std::string_view executablePath, std::size_t capacity);
std::wstring OptionsFile(std::wstring_view executablePath);

// The read-me: the program's own path with the extension ".txt".
std::string ReadmeFile(std::string_view executablePath);
std::wstring ReadmeFile(std::wstring_view executablePath);

}  // namespace program_paths
