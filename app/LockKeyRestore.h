#pragma once
#include <array>
#include <cstdint>
#include <vector>

// Caps Lock, Num Lock and Insert, in the order in which they are put back at exit.
inline constexpr std::array<unsigned, 3> LockKeys = {0x14, 0x90, 0x2D};

using LockKeyStates = std::array<std::uint8_t, LockKeys.size()>;

// The keys to tap once each so that the lock keys are as they were at start: every key whose whole
// state byte (toggle and down bits) differs, in the order of LockKeys.
std::vector<unsigned> LockKeysToTap(const LockKeyStates& atStart, const LockKeyStates& now);
