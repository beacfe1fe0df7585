#include "app/AccessibilityShortcuts.h"

namespace accessibility {

std::optional<std::uint32_t> FlagsWhilePlaying(std::uint32_t flags) {
  if ((flags & FeatureOn) != 0 || (flags & HotKeyActive) == 0) return std::nullopt;
  return flags & ~HotKeyActive;
}

}  // namespace accessibility
