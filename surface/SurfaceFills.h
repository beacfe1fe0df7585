#pragma once
#include <array>
#include <optional>

#include "core/Canvas.h"

// The whole-screen fills of the play surface. Each draws once on the canvas and keeps nothing.

// A tapped key: the clip box in one of the ten fill colours.
void KeyColorFill(Canvas& canvas);

// Hatch style by the second-seeded index (the colour is picked right after it, so within one
// second each style comes with its own colour).
HatchStyle HatchStyleForIndex(int index);
void HatchFill(Canvas& canvas);

// 35-pixel squares of colours drawn from the interface thread's generator without reseeding,
// laid from the client origin until a column or row reaches the clip box's right or bottom edge.
constexpr int MosaicSquare = 35;
constexpr int MosaicLimit = 35 * 10001;
void MosaicFill(Canvas& canvas);

// 255 bands from left to right between two colours.
constexpr int GradientBandCount = 255;
struct GradientBand {
  Rect area;
  ColorRef color;
};
using GradientBands = std::array<GradientBand, GradientBandCount>;
GradientBands ComputeGradientBands(const Rect& clip, ColorRef start, ColorRef end);
void GradientFill(Canvas& canvas);
