#include "core/OptionsLibrary.h"

#include <string>

#include "framework/ExecutablePath.h"

OwnedLibrary LoadOptionsLibrary() {
  const std::wstring path = ExecutableFolder() + L"mimiopt.dll";
  return OwnedLibrary(::LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
}
