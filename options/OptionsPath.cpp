#include "options/OptionsPath.h"

namespace program_paths {

SplitPath Split(std::string_view fullPath) {
  SplitPath parts;
  std::string_view rest = fullPath;
  if (rest.size() >= 2 && rest[1] == ':') {
    parts.drive = rest.substr(0, 2);
    rest.remove_prefix(2);
  }
  const std::size_t lastSeparator = rest.find_last_of("\\/");
  if (lastSeparator != std::string_view::npos) {
    parts.folder = rest.substr(0, lastSeparator + 1);
    rest.remove_prefix(lastSeparator + 1);
  }
  const std::size_t lastDot = rest.find_last_of('.');
  if (lastDot != std::string_view::npos) {
    parts.extension = rest.substr(lastDot);
    rest = rest.substr(0, lastDot);
  }
  parts.name = rest;
  return parts;
}

std::optional<std::string> OptionsFile(std::string_view executablePath, std::size_t capacity) {
  const SplitPath parts = Split(executablePath);
  std::string path = parts.drive + parts.folder + "mimitap.dat";
  if (path.size() + 1 > capacity) return std::nullopt;
  return path;
}

std::string ReadmeFile(std::string_view executablePath) {
  const SplitPath parts = Split(executablePath);
  return parts.drive + parts.folder + parts.name + ".txt";
}

}  // namespace program_paths
