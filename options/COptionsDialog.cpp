#include "options/COptionsDialog.h"

#include "framework/ThisModule.h"
#include "options/DialogPlacement.h"
#include "options/OptionSwitches.h"
#include "resources/resource.h"

using option_switches::Switches;

COptionsDialog::COptionsDialog() : Dialog(ThisModule(), IDD_OPTIONS) {}

void COptionsDialog::DoDataExchange(DataExchange& exchange) {
  for (std::size_t i = 0; i < Switches.size(); ++i) exchange.CheckBox(Switches[i].checkBoxId, boxes[i]);
}

bool COptionsDialog::OnInitDialog() {
  // Every value is folded to 0 or 1 in the file at once, whether the dialog is confirmed or not.
  for (std::size_t i = 0; i < Switches.size(); ++i) {
    const bool on = option_switches::IsOn(Switches[i].key, options.ReadOption(Switches[i].key));
    options.WriteOption(Switches[i].key, option_switches::StoredValue(on));
    boxes[i] = on ? 1 : 0;
  }
  Dialog::OnInitDialog();
  // Shown once the boxes say what the file says.
  ShowAtTopLeftAboveAll(Handle());
  return true;
}

void COptionsDialog::OnOK() {
  UpdateData(true);
  for (std::size_t i = 0; i < Switches.size(); ++i) {
    options.WriteOption(Switches[i].key, option_switches::StoredValue(boxes[i] != 0));
  }
  EndDialog(IDOK);
}
