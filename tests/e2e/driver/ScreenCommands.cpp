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
  out.field("dpi", GetDeviceCaps(screen, LOGPIXELSY));
  ReleaseDC(nullptr, screen);
}

void cmdClip(const Args& args, JsonWriter& out) {
  if (args.count() > 0 && args.at(0) == "release") ClipCursor(nullptr);  // as the secure desktop drops it
  RECT clip{};
  GetClipCursor(&clip);
  writeRect(out, "clip", clip);
  const bool whole = clip.left <= 0 && clip.top <= 0 && clip.right >= GetSystemMetrics(SM_CXSCREEN) &&
                     clip.bottom >= GetSystemMetrics(SM_CYSCREEN);
  out.field("clipped", !whole);
}

namespace {

BOOL CALLBACK collectMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM found) {
  reinterpret_cast<std::vector<HMONITOR>*>(found)->push_back(monitor);
  return TRUE;
}

}  // namespace

// Every monitor as EnumDisplayMonitors lists it, and the virtual screen that holds them all.
void cmdMonitors(const Args&, JsonWriter& out) {
  out.field("count", GetSystemMetrics(SM_CMONITORS));
  const RECT all{GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                 GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                 GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
  writeRect(out, "virtual", all);
  std::vector<HMONITOR> monitors;
  EnumDisplayMonitors(nullptr, nullptr, collectMonitor, reinterpret_cast<LPARAM>(&monitors));
  out.key("monitors").beginArray();
  for (HMONITOR monitor : monitors) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoW(monitor, &info)) continue;
    out.beginObject();
    writeRect(out, "rect", info.rcMonitor);
    writeRect(out, "workarea", info.rcWork);
    out.field("primary", (info.dwFlags & MONITORINFOF_PRIMARY) != 0);
    out.endObject();
  }
  out.endArray();
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

void cmdDrawText(const Args& args, JsonWriter& out) {
  const std::string face = args.option("face").value_or("");
  const Capture c = face.empty() ? renderMenuText(widen(args.at(1)), static_cast<int>(args.option("scale", 1)))
                                 : renderText(widen(args.at(1)), widen(face), static_cast<int>(args.option("points", 9)));
  if (!writeBmp(widen(args.at(0)), c)) throw CommandError("cannot write " + args.at(0));
  out.field("width", c.width).field("height", c.height);
}

// The cursor the system shows now: whether it shows, its handle and position. (Under Wine the
// handle of another program's cursor cannot be read further: GetIconInfo on it fails. Its picture
// is read on the display's side; see showcursor.)
void cmdCursorInfo(const Args&, JsonWriter& out) {
  CURSORINFO info{};
  info.cbSize = sizeof info;
  if (!GetCursorInfo(&info)) throw CommandError("GetCursorInfo failed");
  out.field("showing", (info.flags & CURSOR_SHOWING) != 0);
  out.field("handle", static_cast<std::int64_t>(reinterpret_cast<INT_PTR>(info.hCursor)));
  out.field("x", info.ptScreenPos.x).field("y", info.ptScreenPos.y);
}

namespace {

HCURSOR shownCursor = nullptr;
HWND cursorWindow = nullptr;

LRESULT CALLBACK cursorWindowProc(HWND hwnd, UINT message, WPARAM wp, LPARAM lp) {
  if (message == WM_SETCURSOR && shownCursor) {
    SetCursor(shownCursor);
    return TRUE;
  }
  return DefWindowProcW(hwnd, message, wp, lp);
}

void nudgePointer(LONG dx) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dx = dx;
  in.mi.dwFlags = MOUSEEVENTF_MOVE;
  SendInput(1, &in, sizeof in);
}

}  // namespace

// Shows a cursor file's picture as the pointer: a small top-most window of this driver under the
// pointer wears it until the next call ('-' takes the window away). The test then reads the
// picture the display shows, to compare with what another program's pointer shows.
void cmdShowCursor(const Args& args, JsonWriter& out) {
  if (cursorWindow) {
    DestroyWindow(cursorWindow);
    cursorWindow = nullptr;
  }
  if (shownCursor) {
    DestroyCursor(shownCursor);
    shownCursor = nullptr;
  }
  if (args.at(0) == "-") return;
  shownCursor = static_cast<HCURSOR>(LoadImageW(nullptr, widen(args.at(0)).c_str(), IMAGE_CURSOR, 0, 0, LR_LOADFROMFILE));
  if (!shownCursor) throw CommandError("cannot load " + args.at(0));
  static const ATOM windowClass = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = cursorWindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    wc.lpszClassName = L"MimidriveCursor";
    return RegisterClassW(&wc);
  }();
  POINT p{};
  GetCursorPos(&p);
  cursorWindow = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, MAKEINTATOM(windowClass), L"mimidrive cursor",
                                 WS_POPUP | WS_VISIBLE, p.x - 32, p.y - 32, 64, 64, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
  if (!cursorWindow) throw CommandError("cannot create the cursor window");
  // A pointer move over the window makes the system ask it for its cursor.
  const ULONGLONG start = GetTickCount64();
  const auto ms = static_cast<ULONGLONG>(args.option("ms", 300));
  nudgePointer(1);
  nudgePointer(-1);
  MSG msg;
  while (GetTickCount64() - start < ms) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  }
  out.field("hwnd", hwndValue(cursorWindow));
}
