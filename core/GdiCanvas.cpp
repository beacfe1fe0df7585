#include "core/GdiCanvas.h"

#include "framework/Handles.h"
#include "core/MediaPath.h"
#include "core/PictureChanges.h"

namespace {
RECT ToRect(const Rect& area) { return {area.left, area.top, area.right, area.bottom}; }

void RectangleWithBrush(HDC dc, const Rect& area, HBRUSH brush) {
  const OwnedBrush owned(brush);
  const SelectionGuard selection(dc, owned.Get());
  ::Rectangle(dc, area.left, area.top, area.right, area.bottom);
}
}  // namespace

GdiCanvas::~GdiCanvas() {
  if (contextPen_ != nullptr) ::SelectObject(Dc(), contextPen_);
  if (contextBrush_ != nullptr) ::SelectObject(Dc(), contextBrush_);
  contextPen_ = contextBrush_ = selectedPen_ = selectedBrush_ = nullptr;
  for (Owned& owned : objects_) Free(owned);
}

Rect GdiCanvas::ClipBox() {
  RECT clip{};
  ::GetClipBox(Dc(), &clip);
  return {clip.left, clip.top, clip.right, clip.bottom};
}

void GdiCanvas::PaintSolid(const Rect& area, ColorRef color) {
  const OwnedBrush brush(::CreateSolidBrush(color));
  const SelectionGuard selection(Dc(), brush.Get());
  ::PatBlt(Dc(), area.left, area.top, area.Width(), area.Height(), PATCOPY);
  picture_changes::Note();
}

void GdiCanvas::HatchedRectangle(const Rect& area, HatchStyle style, ColorRef color) {
  RectangleWithBrush(Dc(), area, ::CreateHatchBrush(static_cast<int>(style), color));
  picture_changes::Note();
}

void GdiCanvas::FramedRectangle(const Rect& area, ColorRef color) {
  RectangleWithBrush(Dc(), area, ::CreateSolidBrush(color));
  picture_changes::Note();
}

void GdiCanvas::OpaqueBand(const Rect& area, ColorRef color) {
  const RECT band = ToRect(area);
  ::SetBkColor(Dc(), color);
  ::ExtTextOutW(Dc(), 0, 0, ETO_OPAQUE, &band, nullptr, 0, nullptr);
  picture_changes::Note();
}

CanvasObject GdiCanvas::Keep(Kind kind, HANDLE handle) {
  if (handle == nullptr) return NoObject;
  objects_.push_back({kind, handle});
  return static_cast<CanvasObject>(objects_.size());
}

GdiCanvas::Owned* GdiCanvas::Find(CanvasObject object) {
  if (object <= NoObject || static_cast<std::size_t>(object) > objects_.size()) return nullptr;
  Owned& owned = objects_[static_cast<std::size_t>(object) - 1];
  return owned.handle != nullptr ? &owned : nullptr;
}

void GdiCanvas::Free(Owned& owned) {
  if (owned.handle == nullptr) return;
  // Never delete an object while it is selected: the context's own goes back in first.
  if (owned.handle == selectedPen_) {
    ::SelectObject(Dc(), contextPen_);
    contextPen_ = selectedPen_ = nullptr;
  }
  if (owned.handle == selectedBrush_) {
    ::SelectObject(Dc(), contextBrush_);
    contextBrush_ = selectedBrush_ = nullptr;
  }
  switch (owned.kind) {
    case Kind::Pen:
    case Kind::Brush:
      ::DeleteObject(owned.handle);
      break;
    case Kind::Icon:
      ::DestroyIcon(static_cast<HICON>(owned.handle));
      break;
    case Kind::StockBrush:
      break;
  }
  owned.handle = nullptr;
}

CanvasObject GdiCanvas::CreatePen(PenStyle style, int width, ColorRef color) {
  return Keep(Kind::Pen, ::CreatePen(style == PenStyle::InsideFrame ? PS_INSIDEFRAME : PS_SOLID, width, color));
}

CanvasObject GdiCanvas::CreateSolidBrush(ColorRef color) { return Keep(Kind::Brush, ::CreateSolidBrush(color)); }

CanvasObject GdiCanvas::CreateHatchBrush(HatchStyle style, ColorRef color) {
  return Keep(Kind::Brush, ::CreateHatchBrush(static_cast<int>(style), color));
}

CanvasObject GdiCanvas::HollowBrush() { return Keep(Kind::StockBrush, ::GetStockObject(HOLLOW_BRUSH)); }

CanvasObject GdiCanvas::LoadIcon(const char* path) {
  // At the system's icon size, from the frame of that size: DrawIcon draws at that size.
  return Keep(Kind::Icon, ::LoadImageW(nullptr, MediaPathFromCurrentDirectory(path).c_str(), IMAGE_ICON, 0, 0,
                                       LR_LOADFROMFILE | LR_DEFAULTSIZE));
}

void GdiCanvas::Select(CanvasObject penOrBrush) {
  const Owned* owned = Find(penOrBrush);
  if (owned == nullptr || owned->kind == Kind::Icon) return;
  const HGDIOBJ previous = ::SelectObject(Dc(), owned->handle);
  if (previous == nullptr || previous == HGDI_ERROR) return;
  if (owned->kind == Kind::Pen) {
    if (contextPen_ == nullptr) contextPen_ = previous;
    selectedPen_ = owned->handle;
  } else {
    if (contextBrush_ == nullptr) contextBrush_ = previous;
    selectedBrush_ = owned->handle;
  }
}

void GdiCanvas::Release(CanvasObject object) {
  if (Owned* owned = Find(object); owned != nullptr) Free(*owned);
}

void GdiCanvas::Ellipse(const Rect& bounds) {
  ::Ellipse(Dc(), bounds.left, bounds.top, bounds.right, bounds.bottom);
  picture_changes::Note();
}

void GdiCanvas::DrawIcon(CanvasObject icon, int x, int y) {
  const Owned* owned = Find(icon);
  if (owned == nullptr || owned->kind != Kind::Icon) return;
  ::DrawIcon(Dc(), x, y, static_cast<HICON>(owned->handle));
  picture_changes::Note();
}
