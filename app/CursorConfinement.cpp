#include "app/CursorConfinement.h"

#include <array>

Rect ConfinementRect(const Rect& client, const TaskBarPlacement& taskBar) {
  Rect area = client;
  if (taskBar.autoHide && taskBar.alwaysOnTop && taskBar.rect.left < 0 && taskBar.rect.top < 0) {
    area.left += 2;
    area.top += 2;
  }
  area.right -= 4;
  area.bottom -= 4;
  return area;
}

int CursorSlotForIndex(int index) {
  static constexpr std::array<int, 10> slots = {0, 2, 0, 1, 3, 1, 4, 2, 3, 4};
  return index >= 0 && index < static_cast<int>(slots.size()) ? slots[static_cast<std::size_t>(index)] : 0;
}
