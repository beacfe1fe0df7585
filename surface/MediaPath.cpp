#include "surface/MediaPath.h"

#include <windows.h>

std::string MediaPathFromCurrentDirectory(const char* relativePath) {
  std::string full(MAX_PATH, '\0');
  for (;;) {
    const DWORD length = ::GetFullPathNameA(relativePath, static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (length == 0) return relativePath;
    if (length < full.size()) {
      full.resize(length);
      return full;
    }
    full.resize(length);
  }
}
