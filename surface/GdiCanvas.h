#pragma once
#include <windows.h>

#include "framework/DrawingContext.h"
#include "surface/Canvas.h"

// The fills' canvas on a fresh client drawing context of a window; every brush it makes is
// selected out and deleted before the call returns.
class GdiCanvas final : public Canvas {
 public:
  explicit GdiCanvas(HWND window) : dc_(window) {}

  Rect ClipBox() override;
  void PaintSolid(const Rect& area, ColorRef color) override;
  void HatchedRectangle(const Rect& area, HatchStyle style, ColorRef color) override;
  void FramedRectangle(const Rect& area, ColorRef color) override;
  void OpaqueBand(const Rect& area, ColorRef color) override;

  HDC Dc() const { return dc_.Get(); }

 private:
  ClientDC dc_;
};
