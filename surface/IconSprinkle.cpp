#include "surface/IconSprinkle.h"

#include "surface/RandomGenerator.h"

std::optional<SprinklePlacement> NextSprinklePlacement(int width, int height) {
  if (width <= 0 || height <= 0) return std::nullopt;
  SprinklePlacement place;
  place.x = random_generator::Draw() % width;
  place.y = random_generator::Draw() % height;
  place.halfSize = (random_generator::Draw() % 16 + 1) * 6;
  return place;
}
