#pragma once
#include "core/ColorTables.h"
#include "core/Rect.h"

// Hatch styles, numbered as the platform numbers them.
enum class HatchStyle { Horizontal = 0, Vertical = 1, ForwardDiagonal = 2, BackwardDiagonal = 3,
                        Cross = 4, DiagonalCross = 5 };

// Pen kinds: a solid pen is centred on the outline; an inside-frame pen lies wholly inside the
// bounding rectangle.
enum class PenStyle { Solid, InsideFrame };

// A pen, brush or icon that the canvas made and owns; NoObject stands for one that could not be
// made (a missing icon file), which drawing calls then skip.
using CanvasObject = int;
inline constexpr CanvasObject NoObject = 0;

// What a fill or an effect needs from a drawing surface. The product draws through GDI on a fresh
// client drawing context; tests record the calls and compare them with the intended geometry.
// The canvas owns the pens, brushes and icons it makes: when it goes, it selects the context's own
// objects back and releases every one of them.
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

  // Drawing objects for the effects.
  virtual CanvasObject CreatePen(PenStyle style, int width, ColorRef color) = 0;
  virtual CanvasObject CreateSolidBrush(ColorRef color) = 0;
  virtual CanvasObject CreateHatchBrush(HatchStyle style, ColorRef color) = 0;
  // The stock brush that fills nothing.
  virtual CanvasObject HollowBrush() = 0;
  // An icon file at its own size, relative to the current directory; NoObject when it is missing.
  virtual CanvasObject LoadIcon(const char* path) = 0;
  // Selects a pen or a brush into the context.
  virtual void Select(CanvasObject penOrBrush) = 0;
  // Releases a pen, brush or icon before the canvas goes (the context's own object is selected
  // back first if it was selected).
  virtual void Release(CanvasObject object) = 0;
  // An ellipse in its bounding rectangle, outlined with the selected pen and filled with the
  // selected brush; a rectangle given with left > right or top > bottom means the same ellipse as
  // with those values exchanged.
  virtual void Ellipse(const Rect& bounds) = 0;
  // An icon with its top-left corner at (x, y), at the system's standard icon size.
  virtual void DrawIcon(CanvasObject icon, int x, int y) = 0;
};
