#pragma once
#include <windows.h>

#include <vector>

#include "framework/DrawingContext.h"
#include "core/Canvas.h"

// The canvas on a fresh client drawing context of a window, on whichever thread makes it. A fill's
// brushes are selected out and deleted before each call returns; the pens, brushes and icons an
// effect makes live until it releases them or the canvas goes, which first selects the context's
// own pen and brush back.
class GdiCanvas final : public Canvas {
 public:
  explicit GdiCanvas(HWND window) : dc_(window) {}
  GdiCanvas(const GdiCanvas&) = delete;
  GdiCanvas& operator=(const GdiCanvas&) = delete;
  ~GdiCanvas() override;

  explicit operator bool() const { return static_cast<bool>(dc_); }

  Rect ClipBox() override;
  void PaintSolid(const Rect& area, ColorRef color) override;
  void HatchedRectangle(const Rect& area, HatchStyle style, ColorRef color) override;
  void FramedRectangle(const Rect& area, ColorRef color) override;
  void OpaqueBand(const Rect& area, ColorRef color) override;

  CanvasObject CreatePen(PenStyle style, int width, ColorRef color) override;
  CanvasObject CreateSolidBrush(ColorRef color) override;
  CanvasObject CreateHatchBrush(HatchStyle style, ColorRef color) override;
  CanvasObject HollowBrush() override;
  CanvasObject LoadIcon(const char* path) override;
  void Select(CanvasObject penOrBrush) override;
  void Release(CanvasObject object) override;
  void Ellipse(const Rect& bounds) override;
  void DrawIcon(CanvasObject icon, int x, int y) override;

  HDC Dc() const { return dc_.Get(); }

 private:
  enum class Kind { Pen, Brush, StockBrush, Icon };
  struct Owned {
    Kind kind;
    HANDLE handle;  // null once released
  };

  CanvasObject Keep(Kind kind, HANDLE handle);
  Owned* Find(CanvasObject object);
  void Free(Owned& owned);

  ClientDC dc_;
  std::vector<Owned> objects_;  // object n is objects_[n - 1]
  HGDIOBJ contextPen_ = nullptr;    // the context's own, while one of ours is selected
  HGDIOBJ contextBrush_ = nullptr;
  HGDIOBJ selectedPen_ = nullptr;
  HGDIOBJ selectedBrush_ = nullptr;
};
