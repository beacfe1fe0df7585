#include "framework/MessageBox.h"

#include <string>

int ShowMessageBox(HWND owner, std::wstring_view text, std::wstring_view caption, UINT type) {
  const std::wstring ownText(text);
  const std::wstring ownCaption(caption);
  return ::MessageBoxW(owner, ownText.c_str(), ownCaption.c_str(), type | MB_TOPMOST | MB_SETFOREGROUND);
}
