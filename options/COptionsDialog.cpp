#include "options/COptionsDialog.h"

#include "framework/ThisModule.h"
#include "options/DialogPlacement.h"
#include "resources/resource.h"

COptionsDialog::COptionsDialog() : Dialog(ThisModule(), IDD_OPTIONS) {}

void COptionsDialog::DoDataExchange(DataExchange& exchange) {
  for (std::size_t i = 0; i < Options.size(); ++i) exchange.CheckBox(Options[i].checkBoxId, boxes[i]);
}

bool COptionsDialog::OnInitDialog() {
  // Every value is folded to 0 or 1 in the file at once, whether the dialog is confirmed or not.
  for (std::size_t i = 0; i < Options.size(); ++i) {
    const bool on = IsOn(Options[i], options.ReadOption(Options[i]));
    options.WriteOption(Options[i], StoredValue(on));
    boxes[i] = on ? 1 : 0;
  }
  Dialog::OnInitDialog();
  // Shown once the boxes say what the file says.
  ShowAtTopLeftAboveAll(Handle());
  return true;
}

void COptionsDialog::OnOK() {
  UpdateData(true);
  for (std::size_t i = 0; i < Options.size(); ++i) options.WriteOption(Options[i], StoredValue(boxes[i] != 0));
  EndDialog(IDOK);
}
