#pragma once
#include <cstdint>
#include <optional>

// The Sticky Keys, Filter Keys and Toggle Keys shortcuts (Shift five times, right Shift held, Num
// Lock held) open system dialogs that would take a child out of the toy. Their records share the
// layout of the two bits that matter here.
namespace accessibility {

inline constexpr std::uint32_t FeatureOn = 0x1;     // SKF_STICKYKEYSON, FKF_FILTERKEYSON, TKF_TOGGLEKEYSON
inline constexpr std::uint32_t HotKeyActive = 0x4;  // SKF_HOTKEYACTIVE, FKF_HOTKEYACTIVE, TKF_HOTKEYACTIVE

// The flags to use while the toy runs: the shortcut switched off when the feature itself is off
// (a user who relies on the feature keeps it as it is); nothing when no change is needed.
std::optional<std::uint32_t> FlagsWhilePlaying(std::uint32_t flags);

}  // namespace accessibility
