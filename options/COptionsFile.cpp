#include "options/COptionsFile.h"

#include <windows.h>

#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "core/ProgramPaths.h"
#include "framework/ExecutablePath.h"
#include "options/OptionValueRule.h"

namespace {

// The text in the system's 8-bit code page, or nothing when a character has no spelling there.
std::optional<std::string> InCodePage(const std::wstring& text) {
  if (text.empty()) return std::string();
  BOOL lossy = FALSE;
  const int size = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.c_str(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, &lossy);
  if (size <= 0 || lossy) return std::nullopt;
  std::string converted(static_cast<std::size_t>(size), '\0');
  ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.c_str(), static_cast<int>(text.size()),
                        converted.data(), size, nullptr, &lossy);
  return converted;
}

std::wstring Widen(std::string_view ascii) { return std::wstring(ascii.begin(), ascii.end()); }

// Option values are decimal numbers; other characters only end them, so any stand-in will do.
std::string AsciiOnly(const wchar_t* text) {
  std::string result;
  for (; *text != L'\0'; ++text) result.push_back(*text < 0x80 ? static_cast<char>(*text) : '?');
  return result;
}

// The 8-bit path for a buffer of PathCapacity bytes, or empty (see BuildPath).
void WriteEightBitPath(const std::wstring& executable, char* buffer) {
  const auto eightBit = InCodePage(executable);
  const auto optionsPath =
      eightBit ? program_paths::OptionsFile(*eightBit, COptionsFile::PathCapacity) : std::nullopt;
  const std::string& text = optionsPath ? *optionsPath : std::string();
  std::memcpy(buffer, text.c_str(), text.size() + 1);
}

}  // namespace

COptionsFile::COptionsFile() {
  const std::wstring executable = ExecutablePath();
  if (!executable.empty()) filePath = program_paths::OptionsFile(std::wstring_view(executable));
}

void COptionsFile::BuildPath(char* buffer) { WriteEightBitPath(ExecutablePath(), buffer); }

int COptionsFile::ReadOption(const OptionRow& option) const {
  if (filePath.empty()) return -1;
  wchar_t value[option_rule::ValueCapacity] = {};
  ::GetPrivateProfileStringW(Widen(OptionSection).c_str(), Widen(option.key).c_str(),
                             Widen(option_rule::MissingMarker).c_str(), value,
                             option_rule::ValueCapacity, filePath.c_str());
  return option_rule::ValueOf(AsciiOnly(value));
}

void COptionsFile::WriteOption(const OptionRow& option, int value) const {
  if (filePath.empty()) return;
  ::WritePrivateProfileStringW(Widen(OptionSection).c_str(), Widen(option.key).c_str(),
                               std::to_wstring(value).c_str(), filePath.c_str());
}
