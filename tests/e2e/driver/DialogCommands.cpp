// Message boxes and other dialogs (#32770): what they say, which standard icon they show, their
// buttons; and pressing a button.
#include "Commands.h"
#include "ScreenCapture.h"
#include "Text.h"
#include "WindowInfo.h"

#include <cstdlib>
#include <optional>
#include <utility>
#include <vector>

namespace {

struct StandardIcon {
  const char* name;
  WORD id;
};

// IDI_INFORMATION, IDI_WARNING, IDI_ERROR, IDI_QUESTION, IDI_APPLICATION
constexpr StandardIcon standardIcons[] = {
    {"information", 32516},
    {"warning", 32515},
    {"error", 32513},
    {"question", 32514},
    {"application", 32512},
};

// Mean colour distance between the screen and an icon over the icon's opaque pixels. The icon is
// drawn on black and on white: pixels that come out the same on both are the opaque ones.
std::optional<double> iconDistance(const Capture& screen, HICON icon) {
  const Capture onBlack = renderIcon(icon, screen.width, screen.height, 0x000000);
  const Capture onWhite = renderIcon(icon, screen.width, screen.height, 0xFFFFFF);
  long long total = 0;
  long long opaque = 0;
  for (std::size_t i = 0; i < screen.pixels.size(); ++i) {
    if (onBlack.pixels[i] != onWhite.pixels[i]) continue;
    const std::uint32_t a = onBlack.pixels[i];
    const std::uint32_t b = screen.pixels[i];
    for (int shift = 0; shift < 24; shift += 8)
      total += std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF));
    ++opaque;
  }
  if (opaque < 16) return std::nullopt;
  return static_cast<double>(total) / static_cast<double>(opaque * 3);
}

struct Controls {
  std::vector<HWND> all;
};

BOOL CALLBACK collectChild(HWND hwnd, LPARAM param) {
  reinterpret_cast<Controls*>(param)->all.push_back(hwnd);
  return TRUE;
}

bool isClass(HWND hwnd, const char* name) { return _stricmp(windowClass(hwnd).c_str(), name) == 0; }

bool isIconStatic(HWND hwnd) {
  const auto style = static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE));
  return isClass(hwnd, "Static") && (style & SS_TYPEMASK) == SS_ICON;
}

void writeIcon(JsonWriter& out, HWND iconControl) {
  if (!iconControl) {
    out.field("icon", "none");
    return;
  }
  DWORD_PTR handle = 0;
  SendMessageTimeoutW(iconControl, STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, 2000, &handle);
  if (!handle || !IsWindowVisible(iconControl)) {
    out.field("icon", "none");
    return;
  }
  // The icon belongs to another process, so compare what is on the screen with our own copies.
  // A dialog just shown may not have painted yet: look again for a moment before giving up.
  RECT r{};
  GetWindowRect(iconControl, &r);
  const char* best = "unknown";
  double bestDistance = 1e9;
  std::vector<std::pair<const char*, double>> distances;
  for (int attempt = 0; attempt < 20 && bestDistance >= 2.0; ++attempt) {
    if (attempt) Sleep(25);
    const Capture shown = captureScreen(r);
    distances.clear();
    for (const auto& candidate : standardIcons) {
      HICON icon = static_cast<HICON>(
          LoadImageW(nullptr, MAKEINTRESOURCEW(candidate.id), IMAGE_ICON, shown.width, shown.height, LR_SHARED));
      const auto d = icon ? iconDistance(shown, icon) : std::nullopt;
      if (!d) continue;
      distances.emplace_back(candidate.name, *d);
      if (*d < bestDistance) {
        bestDistance = *d;
        best = candidate.name;
      }
    }
  }
  out.key("icon_distance").beginObject();
  for (const auto& [name, d] : distances) out.field(name, static_cast<std::int64_t>(d * 100));
  out.endObject();
  out.field("icon", bestDistance < 2.0 ? best : "unknown");
}

void writeDialog(JsonWriter& out, HWND dlg) {
  out.beginObject();
  out.field("hwnd", hwndValue(dlg));
  out.field("title", windowTitle(dlg));
  DWORD pid = 0;
  GetWindowThreadProcessId(dlg, &pid);
  out.field("pid", pid);
  out.field("owner", hwndValue(GetWindow(dlg, GW_OWNER)));
  out.field("visible", IsWindowVisible(dlg) != FALSE);
  out.field("topmost", (GetWindowLongW(dlg, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0);
  out.field("foreground", GetForegroundWindow() == dlg);
  RECT r{};
  GetWindowRect(dlg, &r);
  writeRect(out, "rect", r);

  Controls controls;
  EnumChildWindows(dlg, collectChild, reinterpret_cast<LPARAM>(&controls));
  HWND iconControl = nullptr;
  std::string text;
  for (HWND c : controls.all) {
    if (isIconStatic(c)) {
      if (!iconControl) iconControl = c;
    } else if (isClass(c, "Static") && IsWindowVisible(c)) {
      if (!text.empty()) text += '\n';
      text += windowTitle(c);
    }
  }
  out.field("text", text);
  writeIcon(out, iconControl);

  out.key("buttons").beginArray();
  for (HWND c : controls.all) {
    if (!isClass(c, "Button") || !IsWindowVisible(c)) continue;
    const auto style = static_cast<DWORD>(GetWindowLongW(c, GWL_STYLE));
    out.beginObject();
    out.field("hwnd", hwndValue(c));
    out.field("id", static_cast<std::int64_t>(GetWindowLongPtrW(c, GWLP_ID)));
    out.field("text", windowTitle(c));
    out.field("default", (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON);
    out.field("enabled", IsWindowEnabled(c) != FALSE);
    GetWindowRect(c, &r);
    writeRect(out, "rect", r);
    out.endObject();
  }
  out.endArray();

  out.key("controls").beginArray();
  for (HWND c : controls.all) writeWindow(out, c);
  out.endArray();
  out.endObject();
}

struct DialogSearch {
  std::optional<DWORD> pid;
  std::vector<HWND> found;
};

BOOL CALLBACK collectDialog(HWND hwnd, LPARAM param) {
  auto* s = reinterpret_cast<DialogSearch*>(param);
  if (windowClass(hwnd) != "#32770") return TRUE;
  if (s->pid) {
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != *s->pid) return TRUE;
  }
  s->found.push_back(hwnd);
  return TRUE;
}

}  // namespace

void cmdDialogs(const Args& args, JsonWriter& out) {
  DialogSearch search;
  if (auto p = args.option("pid")) search.pid = static_cast<DWORD>(Args::parseNumber(*p));
  EnumWindows(collectDialog, reinterpret_cast<LPARAM>(&search));
  const bool hidden = args.flag("hidden");
  out.key("dialogs").beginArray();
  for (HWND d : search.found)
    if (hidden || IsWindowVisible(d)) writeDialog(out, d);
  out.endArray();
}

void cmdPress(const Args& args, JsonWriter& out) {
  HWND dlg = parseHwnd(args.at(0));
  if (!IsWindow(dlg)) throw CommandError("no such window: " + args.at(0));
  const auto id = static_cast<int>(args.number(1));
  HWND button = GetDlgItem(dlg, id);
  if (args.flag("click")) {
    if (!button) throw CommandError("no control with id " + args.at(1));
    out.field("posted", PostMessageW(button, BM_CLICK, 0, 0) != FALSE);
  } else {
    // What a dialog receives when the button is clicked.
    out.field("posted", PostMessageW(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                                     reinterpret_cast<LPARAM>(button)) != FALSE);
  }
}

void cmdMessageBox(const Args& args, JsonWriter& out) {
  const std::wstring text = widen(args.at(0));
  const std::wstring caption = widen(args.count() > 1 ? args.at(1) : "mimidrive");
  const auto flags = static_cast<UINT>(args.count() > 2 ? args.number(2) : MB_OK);
  out.field("result", MessageBoxW(nullptr, text.c_str(), caption.c_str(), flags));
}
