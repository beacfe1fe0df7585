#include "surface/KeyClassification.h"

#include <algorithm>
#include <array>

namespace {
constexpr std::array<unsigned, 13> menuKeys = {
    vk::Apps,           vk::Function(1),  vk::Function(4),  vk::Function(5),  vk::Function(8),
    vk::Function(9),    vk::Function(12), vk::Function(13), vk::Function(16), vk::Function(17),
    vk::Function(20),   vk::Function(21), vk::Function(24)};
}

KeyKind ClassifyKey(unsigned virtualKey) {
  switch (virtualKey) {
    case vk::Prior: case vk::Next: case vk::Left: case vk::Up: case vk::Right: case vk::Down:
      return KeyKind::Scroll;
    case vk::Return:
      return KeyKind::Enter;
    case vk::Control:
      return KeyKind::Ctrl;
    default:
      break;
  }
  return std::ranges::find(menuKeys, virtualKey) != menuKeys.end() ? KeyKind::Menu : KeyKind::Fill;
}

ScrollAmount ScrollForKey(unsigned virtualKey) {
  switch (virtualKey) {
    case vk::Prior: return {0, -100};
    case vk::Next: return {0, 100};
    case vk::Left: return {-10, 0};
    case vk::Up: return {0, -10};
    case vk::Right: return {10, 0};
    case vk::Down: return {0, 10};
    default: return {};
  }
}

ReleaseResponse ResponseToRelease(unsigned virtualKey, bool altHeld) {
  switch (ClassifyKey(virtualKey)) {
    case KeyKind::Enter: return ReleaseResponse::HatchFill;
    case KeyKind::Ctrl: return ReleaseResponse::GradientFill;
    case KeyKind::Scroll: return ReleaseResponse::None;
    case KeyKind::Menu: return altHeld ? ReleaseResponse::None : ReleaseResponse::EffectsMenu;
    case KeyKind::Fill: break;
  }
  return ReleaseResponse::ColorFill;
}

EarlyRelease ClassifyEarlyRelease(unsigned virtualKey) {
  if (virtualKey == vk::Menu) return EarlyRelease::MosaicFill;
  if (virtualKey == vk::Snapshot) return EarlyRelease::Swallow;
  return EarlyRelease::Dispatch;
}

ScrollAmount ScrollForWheel(int wheelDelta, int indexBySecond) {
  const int d = wheelDelta >= 0 ? -10 : 10;
  return indexBySecond % 2 != 0 ? ScrollAmount{d, 0} : ScrollAmount{d, d};
}
