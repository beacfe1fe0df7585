#include "surface/GdiCanvas.h"

#include "framework/Handles.h"

namespace {
RECT ToRect(const Rect& area) { return {area.left, area.top, area.right, area.bottom}; }

void RectangleWithBrush(HDC dc, const Rect& area, HBRUSH brush) {
  const OwnedBrush owned(brush);
  const SelectionGuard selection(dc, owned.Get());
  ::Rectangle(dc, area.left, area.top, area.right, area.bottom);
}
}  // namespace

Rect GdiCanvas::ClipBox() {
  RECT clip{};
  ::GetClipBox(Dc(), &clip);
  return {clip.left, clip.top, clip.right, clip.bottom};
}

void GdiCanvas::PaintSolid(const Rect& area, ColorRef color) {
  const OwnedBrush brush(::CreateSolidBrush(color));
  const SelectionGuard selection(Dc(), brush.Get());
  ::PatBlt(Dc(), area.left, area.top, area.Width(), area.Height(), PATCOPY);
}

void GdiCanvas::HatchedRectangle(const Rect& area, HatchStyle style, ColorRef color) {
  RectangleWithBrush(Dc(), area, ::CreateHatchBrush(static_cast<int>(style), color));
}

void GdiCanvas::FramedRectangle(const Rect& area, ColorRef color) {
  RectangleWithBrush(Dc(), area, ::CreateSolidBrush(color));
}

void GdiCanvas::OpaqueBand(const Rect& area, ColorRef color) {
  const RECT band = ToRect(area);
  ::SetBkColor(Dc(), color);
  ::ExtTextOutW(Dc(), 0, 0, ETO_OPAQUE, &band, nullptr, 0, nullptr);
}
