// Finding windows and talking to them.
#include "Commands.h"
#include "Text.h"
#include "WindowInfo.h"

#include <optional>
#include <vector>

namespace {

struct WindowFilter {
  std::optional<std::wstring> title;
  std::optional<std::wstring> className;
  std::optional<DWORD> pid;
  std::optional<std::int64_t> id;
  bool visibleOnly = false;

  explicit WindowFilter(const Args& args) {
    if (auto t = args.option("title")) title = widen(*t);
    if (auto c = args.option("class")) className = widen(*c);
    if (auto p = args.option("pid")) pid = static_cast<DWORD>(Args::parseNumber(*p));
    if (auto i = args.option("id")) id = Args::parseNumber(*i);
    visibleOnly = args.flag("visible");
  }

  bool matches(HWND hwnd) const {
    if (visibleOnly && !IsWindowVisible(hwnd)) return false;
    if (pid) {
      DWORD owner = 0;
      GetWindowThreadProcessId(hwnd, &owner);
      if (owner != *pid) return false;
    }
    if (id && GetWindowLongPtrW(hwnd, GWLP_ID) != *id) return false;
    if (className) {
      wchar_t buf[256] = {};
      const int n = GetClassNameW(hwnd, buf, 256);
      if (CompareStringOrdinal(buf, n, className->c_str(), static_cast<int>(className->size()), TRUE) !=
          CSTR_EQUAL)
        return false;
    }
    if (title) {
      wchar_t buf[4096] = {};
      const int n = InternalGetWindowText(hwnd, buf, 4096);
      if (std::wstring_view(buf, static_cast<std::size_t>(n)) != *title) return false;
    }
    return true;
  }
};

struct Collector {
  const WindowFilter* filter;
  std::vector<HWND> found;
};

BOOL CALLBACK collect(HWND hwnd, LPARAM param) {
  auto* c = reinterpret_cast<Collector*>(param);
  if (c->filter->matches(hwnd)) c->found.push_back(hwnd);
  return TRUE;
}

void writeList(JsonWriter& out, const std::vector<HWND>& windows) {
  out.key("windows").beginArray();
  for (HWND h : windows) writeWindow(out, h);
  out.endArray();
}

HWND existingWindow(const Args& args, std::size_t i) {
  HWND hwnd = parseHwnd(args.at(i));
  if (!IsWindow(hwnd)) throw CommandError("no such window: " + args.at(i));
  return hwnd;
}

}  // namespace

void cmdWindows(const Args& args, JsonWriter& out) {
  const WindowFilter filter(args);
  Collector c{&filter, {}};
  EnumWindows(collect, reinterpret_cast<LPARAM>(&c));
  writeList(out, c.found);
}

void cmdChildren(const Args& args, JsonWriter& out) {
  HWND parent = existingWindow(args, 0);
  const WindowFilter filter(args);
  Collector c{&filter, {}};
  EnumChildWindows(parent, collect, reinterpret_cast<LPARAM>(&c));
  writeList(out, c.found);
}

void cmdWindow(const Args& args, JsonWriter& out) {
  HWND hwnd = parseHwnd(args.at(0));
  out.field("exists", IsWindow(hwnd) != FALSE);
  if (IsWindow(hwnd)) {
    out.key("window");
    writeWindow(out, hwnd);
  }
}

void cmdForeground(const Args&, JsonWriter& out) {
  HWND fg = GetForegroundWindow();
  out.field("foreground", hwndValue(fg));
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  const DWORD tid = fg ? GetWindowThreadProcessId(fg, nullptr) : 0;
  if (fg && GetGUIThreadInfo(tid, &info)) {
    out.field("active", hwndValue(info.hwndActive));
    out.field("focus", hwndValue(info.hwndFocus));
    out.field("capture", hwndValue(info.hwndCapture));
  } else {
    out.field("active", 0).field("focus", 0).field("capture", 0);
  }
  if (fg) {
    out.key("window");
    writeWindow(out, fg);
  }
}

void cmdText(const Args& args, JsonWriter& out) {
  HWND hwnd = existingWindow(args, 0);
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length))
    throw CommandError("WM_GETTEXTLENGTH timed out");
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutW(hwnd, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data()),
                           SMTO_ABORTIFHUNG, 5000, &copied))
    throw CommandError("WM_GETTEXT timed out");
  text.resize(copied);
  out.field("text", narrow(text));
}

void cmdSend(const Args& args, JsonWriter& out) {
  HWND hwnd = existingWindow(args, 0);
  const auto msg = static_cast<UINT>(args.number(1));
  const auto wp = static_cast<WPARAM>(args.count() > 2 ? args.number(2) : 0);
  const auto lp = static_cast<LPARAM>(args.count() > 3 ? args.number(3) : 0);
  const auto timeout = static_cast<UINT>(args.option("timeout", 5000));
  DWORD_PTR result = 0;
  SetLastError(0);
  const LRESULT done = SendMessageTimeoutW(hwnd, msg, wp, lp, SMTO_NORMAL, timeout, &result);
  out.field("delivered", done != 0);
  out.field("result", static_cast<std::int64_t>(static_cast<LONG_PTR>(result)));
  if (!done) out.field("lasterror", GetLastError());
}

void cmdPost(const Args& args, JsonWriter& out) {
  HWND hwnd = existingWindow(args, 0);
  const auto msg = static_cast<UINT>(args.number(1));
  const auto wp = static_cast<WPARAM>(args.count() > 2 ? args.number(2) : 0);
  const auto lp = static_cast<LPARAM>(args.count() > 3 ? args.number(3) : 0);
  out.field("posted", PostMessageW(hwnd, msg, wp, lp) != FALSE);
}

void cmdActivate(const Args& args, JsonWriter& out) {
  // "desktop" names the desktop window, which a program may hand the activation to by mistake.
  HWND hwnd = args.at(0) == "desktop" ? GetDesktopWindow() : existingWindow(args, 0);
  out.field("done", SetForegroundWindow(hwnd) != FALSE);
  out.field("foreground", hwndValue(GetForegroundWindow()));
}
