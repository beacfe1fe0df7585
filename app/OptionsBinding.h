#pragma once
#include <windows.h>

#include <optional>

#include "app/SettingsBlock.h"

// The program's side of the options library: it is loaded from the program's own folder for each
// use, one export is looked up and called, and the library is freed again, so every use sees the
// options file as it is now.

// Fills `block` through "ininfo": 0 on success, -1 (block all zero) when the library or the export
// is missing. Shows nothing.
int LoadSettings(SettingsBlock& block);

// The "osver" result (1 not NT, 0 NT, -1 unreadable), or -1 after the missing-library message.
int QueryOsKind(HWND owner);

// Runs "option" or "about" with the caller's window and gives its end code; nothing, after the
// missing-library message, when the library or the export is missing.
enum class LibraryDialog { Options, About };
std::optional<int> RunLibraryDialog(LibraryDialog dialog, HWND owner);

void ShowMissingLibraryMessage(HWND owner);
