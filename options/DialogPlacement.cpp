#include "options/DialogPlacement.h"

void ShowAtTopLeftAboveAll(HWND dialog) {
  ::SetWindowPos(dialog, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
  ::SetForegroundWindow(dialog);
}
