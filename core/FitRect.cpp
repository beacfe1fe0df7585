#include "core/FitRect.h"

#include <cstdint>

Rect FitInside(const Rect& target, int width, int height) {
  if (width <= 0 || height <= 0 || target.Width() <= 0 || target.Height() <= 0) {
    return {target.left, target.top, target.left, target.top};
  }
  // Scale by the tighter of the two ratios, in 64 bits so that no size overflows.
  const std::int64_t byWidth = std::int64_t{target.Width()} * height;
  const std::int64_t byHeight = std::int64_t{target.Height()} * width;
  int fitWidth = target.Width();
  int fitHeight = target.Height();
  if (byWidth < byHeight) {
    fitHeight = static_cast<int>(byWidth / width);
  } else {
    fitWidth = static_cast<int>(byHeight / height);
  }
  const int left = target.left + (target.Width() - fitWidth) / 2;
  const int top = target.top + (target.Height() - fitHeight) / 2;
  return {left, top, left + fitWidth, top + fitHeight};
}
