#include "WindowInfo.h"

#include "Args.h"
#include "Text.h"

std::string windowClass(HWND hwnd) {
  wchar_t buf[256] = {};
  const int n = GetClassNameW(hwnd, buf, 256);
  return narrow(std::wstring_view(buf, static_cast<std::size_t>(n > 0 ? n : 0)));
}

std::string windowTitle(HWND hwnd) {
  wchar_t buf[4096] = {};
  const int n = InternalGetWindowText(hwnd, buf, 4096);
  return narrow(std::wstring_view(buf, static_cast<std::size_t>(n > 0 ? n : 0)));
}

HWND parseHwnd(const std::string& word) {
  return reinterpret_cast<HWND>(static_cast<INT_PTR>(Args::parseNumber(word)));
}

std::int64_t hwndValue(HWND hwnd) { return static_cast<std::int64_t>(reinterpret_cast<INT_PTR>(hwnd)); }

void writeRect(JsonWriter& out, std::string_view name, const RECT& r) {
  out.key(name).beginArray().value(r.left).value(r.top).value(r.right).value(r.bottom).endArray();
}

void writeWindow(JsonWriter& out, HWND hwnd) {
  out.beginObject();
  out.field("hwnd", hwndValue(hwnd));
  out.field("class", windowClass(hwnd));
  out.field("title", windowTitle(hwnd));
  const auto style = static_cast<std::uint32_t>(GetWindowLongW(hwnd, GWL_STYLE));
  const auto exstyle = static_cast<std::uint32_t>(GetWindowLongW(hwnd, GWL_EXSTYLE));
  out.field("style", static_cast<std::int64_t>(style));
  out.field("exstyle", static_cast<std::int64_t>(exstyle));
  RECT r{};
  GetWindowRect(hwnd, &r);
  writeRect(out, "rect", r);
  RECT c{};
  GetClientRect(hwnd, &c);
  POINT origin{0, 0};
  ClientToScreen(hwnd, &origin);
  OffsetRect(&c, origin.x, origin.y);
  writeRect(out, "client", c);
  HWND parent = GetAncestor(hwnd, GA_PARENT);
  if (parent == GetDesktopWindow()) parent = nullptr;
  out.field("parent", hwndValue(parent));
  out.field("owner", hwndValue(GetWindow(hwnd, GW_OWNER)));
  out.field("id", static_cast<std::int64_t>(GetWindowLongPtrW(hwnd, GWLP_ID)));
  out.field("visible", IsWindowVisible(hwnd) != FALSE);
  out.field("topmost", (exstyle & WS_EX_TOPMOST) != 0);
  out.field("enabled", IsWindowEnabled(hwnd) != FALSE);
  out.field("iconic", IsIconic(hwnd) != FALSE);
  out.field("zoomed", IsZoomed(hwnd) != FALSE);
  DWORD pid = 0;
  const DWORD tid = GetWindowThreadProcessId(hwnd, &pid);
  out.field("pid", pid);
  out.field("tid", tid);
  out.endObject();
}
