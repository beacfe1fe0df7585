#include "surface/IconSprinkle.h"

#include "core/RandomGenerator.h"

std::optional<SprinklePlacement> NextSprinklePlacement(int width, int height) {
  if (width <= 0 || height <= 0) return std::nullopt;
  SprinklePlacement place;
  place.x = random_generator::Draw() % width;
  place.y = random_generator::Draw() % height;
  place.halfSize = (random_generator::Draw() % 16 + 1) * 6;
  return place;
}

std::size_t SprinkleFrameFor(int drawnSize) {
  for (std::size_t i = 0; i < SprinkleFrameSizes.size(); ++i) {
    if (SprinkleFrameSizes[i] >= drawnSize) return i;
  }
  return SprinkleFrameSizes.size() - 1;
}
