#include "core/RandomGenerator.h"
#include "surface/SurfaceFills.h"

void MosaicFill(Canvas& canvas) {
  const Rect clip = canvas.ClipBox();
  for (int y = MosaicSquare; y < MosaicLimit; y += MosaicSquare) {
    for (int x = MosaicSquare; x < MosaicLimit; x += MosaicSquare) {
      const int blue = random_generator::Draw() % 256;
      const int green = random_generator::Draw() % 256;
      const int red = random_generator::Draw() % 256;
      canvas.FramedRectangle({x - MosaicSquare, y - MosaicSquare, x, y}, MakeColor(red, green, blue));
      if (x >= clip.right) break;
    }
    if (y >= clip.bottom) break;
  }
}
