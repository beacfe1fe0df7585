#pragma once
#include <span>

#include "framework/Dialog.h"
#include "framework/MessageTable.h"

// "バージョン情報": the program's name, version and icon, and how a grown-up leaves the toy. OK
// ends it with 1; Esc, the close box or ten seconds alone end it with 2.
class CAboutDialog final : public MessageWindow<CAboutDialog, Dialog> {
 public:
  CAboutDialog();

  static std::span<const MessageEntry<CAboutDialog>> MessageTable();

 protected:
  bool OnInitDialog() override;

 private:
  LRESULT OnTimer(const Message& message);
};
