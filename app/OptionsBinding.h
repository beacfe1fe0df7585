#pragma once
#include <windows.h>

#include <optional>

// The program's side of the options library's other exports (the settings are read through
// LoadSettings): the library is loaded for each use, one export is looked up and called, and the
// library is freed again.

// The Windows family as "osver" tells it, or Unknown after the missing-library message.
enum class WindowsFamily { Nt, Legacy, Unknown };
WindowsFamily QueryWindowsFamily(HWND owner);

// Runs "option" or "about" with the caller's window and gives its end code; nothing, after the
// missing-library message, when the library or the export is missing.
enum class LibraryDialog { Options, About };
std::optional<int> RunLibraryDialog(LibraryDialog dialog, HWND owner);
