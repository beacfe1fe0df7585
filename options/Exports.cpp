// The options library's exports: plain functions under plain names (see mimiopt.def). Each builds
// what it needs on its own stack and keeps nothing between calls.
#include <windows.h>

#include <cstring>

#include "options/CAboutDialog.h"
#include "options/COptionsDialog.h"
#include "options/COptionsFile.h"

extern "C" {

// Fills the caller's path buffer (256 bytes) and the five options; never writes the file.
int ininfo(char* path, int* noscreenserver, int* keywav, int* otherwav, int* time, int* endaltf4) {
  const COptionsFile options;
  COptionsFile::BuildPath(path);
  int* const values[OptionCount] = {noscreenserver, keywav, otherwav, time, endaltf4};
  for (const OptionRow& option : Options) *values[option.position] = options.ReadOption(option);
  return 0;
}

// 1 for the 95/98/Me family (or Win32s), 0 for the NT family, -1 when the version is unreadable.
int osver() {
  OSVERSIONINFOA version;
  std::memset(&version, 0, sizeof(version));
  version.dwOSVersionInfoSize = sizeof(version);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (!::GetVersionExA(&version)) return -1;
#pragma GCC diagnostic pop
  return version.dwPlatformId == VER_PLATFORM_WIN32_NT ? 0 : 1;
}

// The options dialog, without an owner (the caller's window is not used): 1 when confirmed (the
// five keys are then written), 2 when left otherwise, -1 when it cannot be shown.
int option(HWND) {
  COptionsDialog dialog;
  return static_cast<int>(dialog.DoModal(nullptr));
}

// The version dialog, without an owner: 1 for OK, 2 for Esc, the close box or its own time-out,
// -1 when it cannot be shown.
int about(HWND) {
  CAboutDialog dialog;
  return static_cast<int>(dialog.DoModal(nullptr));
}

}  // extern "C"
