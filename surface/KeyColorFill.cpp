#include "core/CRandomPicker.h"
#include "surface/SurfaceFills.h"

void KeyColorFill(Canvas& canvas) {
  const ColorRef color = CRandomPicker().FillColor();
  canvas.PaintSolid(canvas.ClipBox(), color);
}
