#include "app/OptionsBinding.h"

#include <cstring>
#include <string>

#include "app/UserMessages.h"
#include "framework/ExecutablePath.h"
#include "framework/Handles.h"
#include "framework/MessageBox.h"

namespace {

using InInfoExport = int (*)(char*, int*, int*, int*, int*, int*);
using OsVerExport = int (*)();
using DialogExport = int (*)(HWND);

// The library beside the program, by full path: a copy planted in the current folder is never
// picked up. Its own imports resolve from its folder too.
OwnedLibrary LoadOptionsLibrary() {
  const std::wstring path = ExecutableFolder() + L"mimiopt.dll";
  return OwnedLibrary(::LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
}

template <class Export>
Export FindExport(const OwnedLibrary& library, const char* name) {
  return reinterpret_cast<Export>(reinterpret_cast<void*>(::GetProcAddress(library.Get(), name)));
}

}  // namespace

int LoadSettings(SettingsBlock& block) {
  std::memset(&block, 0, sizeof(block));
  const OwnedLibrary library = LoadOptionsLibrary();
  if (!library) return -1;
  const auto ininfo = FindExport<InInfoExport>(library, "ininfo");
  if (ininfo == nullptr) return -1;
  ininfo(block.path, &block.noscreenserver, &block.keywav, &block.otherwav, &block.time, &block.endaltf4);
  block.path[sizeof(block.path) - 1] = '\0';
  return 0;
}

int QueryOsKind(HWND owner) {
  const OwnedLibrary library = LoadOptionsLibrary();
  const auto osver = library ? FindExport<OsVerExport>(library, "osver") : nullptr;
  if (osver == nullptr) {
    ShowMissingLibraryMessage(owner);
    return -1;
  }
  return osver();
}

std::optional<int> RunLibraryDialog(LibraryDialog dialog, HWND owner) {
  const OwnedLibrary library = LoadOptionsLibrary();
  const char* name = dialog == LibraryDialog::Options ? "option" : "about";
  const auto run = library ? FindExport<DialogExport>(library, name) : nullptr;
  if (run == nullptr) {
    ShowMissingLibraryMessage(owner);
    return std::nullopt;
  }
  return run(owner);
}

void ShowMissingLibraryMessage(HWND owner) {
  ShowMessageBox(owner, user_messages::MissingLibrary, user_messages::Caption, MB_OK | MB_ICONWARNING);
}
