#pragma once
#include <array>
#include <cstdint>

// A colour as the platform stores it: red in bits 0-7, green 8-15, blue 16-23.
using ColorRef = std::uint32_t;

constexpr ColorRef MakeColor(int red, int green, int blue) {
  return static_cast<ColorRef>(red & 0xFF) | (static_cast<ColorRef>(green & 0xFF) << 8) |
         (static_cast<ColorRef>(blue & 0xFF) << 16);
}
constexpr int RedOf(ColorRef c) { return static_cast<int>(c & 0xFF); }
constexpr int GreenOf(ColorRef c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int BlueOf(ColorRef c) { return static_cast<int>((c >> 16) & 0xFF); }

using ColorTable = std::array<ColorRef, 10>;

// Whole-screen key fills.
extern const ColorTable FillColors;
// Soft colours: gradient ends and effects.
extern const ColorTable PastelColors;
// Strong colours: hatch lines, gradient starts and effects.
extern const ColorTable VividColors;
