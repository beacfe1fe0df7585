// Screen geometry, the cursor, and what is on the screen.
#include "Commands.h"
#include "ScreenCapture.h"
#include "Text.h"
#include "WindowInfo.h"

#include <algorithm>
#include <climits>
#include <vector>

void cmdScreen(const Args&, JsonWriter& out) {
  out.field("width", GetSystemMetrics(SM_CXSCREEN));
  out.field("height", GetSystemMetrics(SM_CYSCREEN));
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  writeRect(out, "workarea", work);
  HDC screen = GetDC(nullptr);
  out.field("bitsperpixel", GetDeviceCaps(screen, BITSPIXEL));
  ReleaseDC(nullptr, screen);
}

void cmdClip(const Args&, JsonWriter& out) {
  RECT clip{};
  GetClipCursor(&clip);
  writeRect(out, "clip", clip);
  const bool whole = clip.left <= 0 && clip.top <= 0 && clip.right >= GetSystemMetrics(SM_CXSCREEN) &&
                     clip.bottom >= GetSystemMetrics(SM_CYSCREEN);
  out.field("clipped", !whole);
}

void cmdCursor(const Args&, JsonWriter& out) {
  POINT p{};
  GetCursorPos(&p);
  out.field("x", p.x).field("y", p.y);
}

void cmdPixels(const Args& args, JsonWriter& out) {
  if (args.count() < 2 || args.count() % 2) throw CommandError("pixels: give X Y pairs");
  std::vector<POINT> points;
  RECT box{LONG_MAX, LONG_MAX, LONG_MIN, LONG_MIN};
  for (std::size_t i = 0; i < args.count(); i += 2) {
    POINT p{static_cast<LONG>(args.number(i)), static_cast<LONG>(args.number(i + 1))};
    points.push_back(p);
    box.left = std::min(box.left, p.x);
    box.top = std::min(box.top, p.y);
    box.right = std::max(box.right, p.x + 1);
    box.bottom = std::max(box.bottom, p.y + 1);
  }
  // One copy of the bounding box keeps all points from the same moment.
  const Capture c = captureScreen(box);
  out.key("pixels").beginArray();
  for (const POINT& p : points) {
    const std::uint32_t v = c.at(p.x - box.left, p.y - box.top);
    out.beginArray().value((v >> 16) & 0xFF).value((v >> 8) & 0xFF).value(v & 0xFF).endArray();
  }
  out.endArray();
}

void cmdScreenshot(const Args& args, JsonWriter& out) {
  RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (args.count() >= 5) {
    area.left = static_cast<LONG>(args.number(1));
    area.top = static_cast<LONG>(args.number(2));
    area.right = area.left + static_cast<LONG>(args.number(3));
    area.bottom = area.top + static_cast<LONG>(args.number(4));
  }
  const Capture c = captureScreen(area);
  if (!writeBmp(widen(args.at(0)), c)) throw CommandError("cannot write " + args.at(0));
  out.field("width", c.width).field("height", c.height);
}
