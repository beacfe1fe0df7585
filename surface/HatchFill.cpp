#include "core/CRandomPicker.h"
#include "surface/SurfaceFills.h"

HatchStyle HatchStyleForIndex(int index) {
  switch (index) {
    case 0: case 4: return HatchStyle::Horizontal;
    case 5: return HatchStyle::Vertical;
    case 7: return HatchStyle::ForwardDiagonal;
    case 2: case 6: return HatchStyle::BackwardDiagonal;
    case 1: case 8: return HatchStyle::Cross;
    default: return HatchStyle::DiagonalCross;
  }
}

void HatchFill(Canvas& canvas) {
  const Rect clip = canvas.ClipBox();
  const CRandomPicker picker;
  const HatchStyle style = HatchStyleForIndex(picker.IndexBySecond());
  const ColorRef color = picker.VividColor();
  canvas.HatchedRectangle(clip, style, color);
}
