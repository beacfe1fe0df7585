#include "options/CAboutDialog.h"

#include "framework/ThisModule.h"
#include "options/DialogPlacement.h"
#include "resources/resource.h"

namespace {
constexpr UINT_PTR CloseTimerId = 100;
constexpr UINT CloseAfterMs = 10000;
}  // namespace

CAboutDialog::CAboutDialog() : MessageWindow(ThisModule(), IDD_ABOUT) {}

std::span<const MessageEntry<CAboutDialog>> CAboutDialog::MessageTable() {
  static constexpr MessageEntry<CAboutDialog> table[] = {
      {WM_TIMER, &CAboutDialog::OnTimer},
  };
  return table;
}

bool CAboutDialog::OnInitDialog() {
  Dialog::OnInitDialog();
  ::SetTimer(Handle(), CloseTimerId, CloseAfterMs, nullptr);
  ShowAtTopLeftAboveAll(Handle());
  return true;
}

// Closing is a cancellation: the dialog ends with 2.
LRESULT CAboutDialog::OnTimer(const Message& message) {
  if (message.wParam == CloseTimerId) ::PostMessageW(Handle(), WM_CLOSE, 0, 0);
  return Default(message);
}
