#include "app/SpaceTap.h"

#include <windows.h>

void SpaceTap() {
  ::keybd_event(VK_SPACE, 0, 0, SpaceTapMark);
  ::keybd_event(VK_SPACE, 0, KEYEVENTF_KEYUP, SpaceTapMark);
}
