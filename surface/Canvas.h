#pragma once
#include "surface/ColorTables.h"
#include "surface/Rect.h"

// Hatch styles, numbered as the platform numbers them.
enum class HatchStyle { Horizontal = 0, Vertical = 1, ForwardDiagonal = 2, BackwardDiagonal = 3,
                        Cross = 4, DiagonalCross = 5 };

// What a fill needs from a drawing surface. The product draws through GDI on a fresh client
// drawing context; tests record the calls and compare them with the intended geometry.
class Canvas {
 public:
  virtual ~Canvas() = default;

  // The visible client rectangle.
  virtual Rect ClipBox() = 0;
  // Paints the rectangle with a solid brush (pattern copy, no outline).
  virtual void PaintSolid(const Rect& area, ColorRef color) = 0;
  // Draws a rectangle with the default 1-pixel black pen and a hatch brush; the gaps between the
  // lines take the default opaque white background.
  virtual void HatchedRectangle(const Rect& area, HatchStyle style, ColorRef color) = 0;
  // Draws a rectangle with the default 1-pixel black pen and a solid brush.
  virtual void FramedRectangle(const Rect& area, ColorRef color) = 0;
  // Paints the rectangle opaquely in the background colour (text-out without text).
  virtual void OpaqueBand(const Rect& area, ColorRef color) = 0;
};
