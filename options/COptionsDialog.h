#pragma once
#include <array>

#include "framework/Dialog.h"
#include "options/COptionsFile.h"

// "設定": one check box per option. Opening it rewrites every value in the file as 0 or 1;
// confirming stores the five boxes and ends with 1, anything else ends with 2 and stores nothing.
class COptionsDialog final : public Dialog {
 public:
  COptionsDialog();

 protected:
  void DoDataExchange(DataExchange& exchange) override;
  bool OnInitDialog() override;
  void OnOK() override;

 private:
  // 1 checked or 0, in the order of the option table.
  std::array<int, OptionCount> boxes{};
  COptionsFile options;
};
