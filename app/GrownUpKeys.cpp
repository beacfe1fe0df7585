#include "app/GrownUpKeys.h"

#include "core/VirtualKeys.h"

GrownUpKey ClassifyGrownUpKey(unsigned virtualKey, bool shiftHeld, bool altHeld, std::int32_t endaltf4) {
  if (virtualKey == vk::Escape && shiftHeld) return GrownUpKey::OpenMenu;
  if (virtualKey == vk::Function(4) && altHeld && endaltf4 == 0) return GrownUpKey::SwallowAltF4;
  return GrownUpKey::None;
}
