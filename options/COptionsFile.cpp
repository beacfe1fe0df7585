#include "options/COptionsFile.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "options/OptionValueRule.h"
#include "options/OptionsPath.h"

namespace {

// The full path of the process's executable (not of this library), however long.
std::string ExecutablePath() {
  std::string buffer(MAX_PATH, '\0');
  for (;;) {
    const DWORD length = ::GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return {};
    if (length < buffer.size()) {
      buffer.resize(length);
      return buffer;
    }
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace

COptionsFile::COptionsFile() { BuildPath(path); }

void COptionsFile::BuildPath(char* buffer) {
  const auto optionsPath = program_paths::OptionsFile(ExecutablePath(), PathCapacity);
  const std::string& text = optionsPath ? *optionsPath : std::string();
  std::memcpy(buffer, text.c_str(), text.size() + 1);
}

int COptionsFile::ReadOption(OptionKey key) const {
  if (path[0] == '\0') return -1;
  char value[option_rule::ValueCapacity] = {};
  const std::string marker(option_rule::MissingMarker);
  ::GetPrivateProfileStringA(OptionSection, OptionKeyName(key), marker.c_str(), value, sizeof(value), path);
  return option_rule::ValueOf(value);
}

int COptionsFile::WriteOption(OptionKey key, int value) const {
  if (path[0] == '\0') return 0;
  char text[16];
  std::snprintf(text, sizeof(text), "%d", value);
  ::WritePrivateProfileStringA(OptionSection, OptionKeyName(key), text, path);
  return 0;
}
