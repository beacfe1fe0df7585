#include "app/OptionsBinding.h"

#include "app/UserMessages.h"
#include "core/OptionsLibrary.h"
#include "framework/MessageBox.h"

namespace {

using OsVerExport = int (*)();
using DialogExport = int (*)(HWND);

void ShowMissingLibraryMessage(HWND owner) {
  ShowMessageBox(owner, user_messages::MissingLibrary, user_messages::Caption, MB_OK | MB_ICONWARNING);
}

}  // namespace

WindowsFamily QueryWindowsFamily(HWND owner) {
  const OwnedLibrary library = LoadOptionsLibrary();
  const auto osver = FindExport<OsVerExport>(library, "osver");
  if (osver == nullptr) {
    ShowMissingLibraryMessage(owner);
    return WindowsFamily::Unknown;
  }
  switch (osver()) {
    case 0: return WindowsFamily::Nt;
    case 1: return WindowsFamily::Legacy;
    default: return WindowsFamily::Unknown;
  }
}

std::optional<int> RunLibraryDialog(LibraryDialog dialog, HWND owner) {
  const OwnedLibrary library = LoadOptionsLibrary();
  const auto run = FindExport<DialogExport>(library, dialog == LibraryDialog::Options ? "option" : "about");
  if (run == nullptr) {
    ShowMissingLibraryMessage(owner);
    return std::nullopt;
  }
  return run(owner);
}
