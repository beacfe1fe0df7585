#pragma once
#include <windows.h>

#include <string_view>

// A message box the user must see: above every top-most window (the toy's frame covers the
// screen) and in the foreground. Owned by `owner` when there is one, so the owner waits for it.
int ShowMessageBox(HWND owner, std::wstring_view text, std::wstring_view caption, UINT type);
