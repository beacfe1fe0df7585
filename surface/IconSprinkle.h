#pragma once
#include <array>
#include <cstddef>
#include <optional>

// Where a held key sprinkles its icon: centred on (x, y), drawn 2*halfSize pixels square
// (12 to 192), with the icon of the menu picked by the tick-seeded index.
struct SprinklePlacement {
  int x = 0;
  int y = 0;
  int halfSize = 0;
  int left() const { return x - halfSize; }
  int top() const { return y - halfSize; }
  int size() const { return 2 * halfSize; }
};

// Draws the place from the calling thread's generator, which the caller has just seeded.
// An empty area gives no place.
std::optional<SprinklePlacement> NextSprinklePlacement(int width, int height);

// The menu icon slot (0 to 4) for a tick-seeded index.
inline int SprinkleIconForIndex(int index) { return index / 2; }

// The frame sizes the sprinkled icons are loaded at. A sprinkle draws from the smallest frame at
// least as large as itself, so a large picture is never a small frame stretched.
inline constexpr std::array<int, 6> SprinkleFrameSizes = {16, 32, 48, 64, 128, 256};

// The index in SprinkleFrameSizes of the frame to draw a sprinkle of `drawnSize` pixels from.
std::size_t SprinkleFrameFor(int drawnSize);
