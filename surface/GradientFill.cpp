#include <bit>
#include <cstdint>

#include "core/CRandomPicker.h"
#include "surface/SurfaceFills.h"

namespace {
// The float nearest 1/255; the band edges depend on its exact bits.
const float bandFraction = std::bit_cast<float>(std::uint32_t{0x3B808081});

int BandEdge(int left, int band, float step) {
  return left + static_cast<int>(static_cast<double>(band) * static_cast<double>(step));
}

int BandComponent(float difference, int band, float start) {
  return static_cast<int>(static_cast<double>(difference) * band * static_cast<double>(bandFraction) +
                          static_cast<double>(start));
}
}  // namespace

GradientBands ComputeGradientBands(const Rect& clip, ColorRef start, ColorRef end) {
  const float step = static_cast<float>(clip.right - clip.left) * bandFraction;
  const float startRed = static_cast<float>(RedOf(start));
  const float startGreen = static_cast<float>(GreenOf(start));
  const float startBlue = static_cast<float>(BlueOf(start));
  const float diffRed = static_cast<float>(RedOf(end) - RedOf(start));
  const float diffGreen = static_cast<float>(GreenOf(end) - GreenOf(start));
  const float diffBlue = static_cast<float>(BlueOf(end) - BlueOf(start));

  GradientBands bands{};
  for (int i = 0; i < GradientBandCount; ++i) {
    bands[static_cast<std::size_t>(i)] = {
        {BandEdge(clip.left, i, step), clip.top, BandEdge(clip.left, i + 1, step), clip.bottom},
        MakeColor(BandComponent(diffRed, i, startRed), BandComponent(diffGreen, i, startGreen),
                  BandComponent(diffBlue, i, startBlue))};
  }
  return bands;
}

void GradientFill(Canvas& canvas) {
  const Rect clip = canvas.ClipBox();
  const CRandomPicker picker;
  const int k = picker.IndexBySecond();
  const ColorRef white = MakeColor(255, 255, 255);
  ColorRef start = white;
  ColorRef end = white;
  if (k % 3 != 0) {
    end = picker.PastelColor();
  } else {
    start = picker.VividColor();
  }
  for (const GradientBand& band : ComputeGradientBands(clip, start, end)) {
    canvas.OpaqueBand(band.area, band.color);
  }
}
