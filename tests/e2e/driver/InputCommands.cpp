// Real input through SendInput, so it travels the same path as a child's keyboard and mouse.
#include "Commands.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

bool isExtendedKey(WORD vk) {
  switch (vk) {
    case VK_INSERT: case VK_DELETE: case VK_HOME: case VK_END: case VK_PRIOR: case VK_NEXT:
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: case VK_NUMLOCK: case VK_RCONTROL:
    case VK_RMENU: case VK_LWIN: case VK_RWIN: case VK_APPS: case VK_DIVIDE: case VK_SNAPSHOT:
    case VK_CANCEL:
      return true;
    default:
      return false;
  }
}

void sendKey(WORD vk, bool up) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
  in.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0u) | (isExtendedKey(vk) ? KEYEVENTF_EXTENDEDKEY : 0u);
  if (SendInput(1, &in, sizeof in) != 1) throw CommandError("SendInput failed");
}

void sendMouse(DWORD flags, LONG dx = 0, LONG dy = 0, DWORD data = 0) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dx = dx;
  in.mi.dy = dy;
  in.mi.mouseData = data;
  in.mi.dwFlags = flags;
  if (SendInput(1, &in, sizeof in) != 1) throw CommandError("SendInput failed");
}

void pause(std::int64_t ms) {
  if (ms > 0) Sleep(static_cast<DWORD>(ms));
}

// Normalised absolute coordinate that maps back to exactly `pixel` (x * size / 65536, rounded down).
LONG normalised(LONG pixel, int size) {
  if (size <= 0) return 0;
  if (pixel < 0) pixel = 0;
  if (pixel >= size) pixel = size - 1;
  return static_cast<LONG>((static_cast<long long>(pixel) * 65536 + size - 1) / size);
}

void moveTo(LONG x, LONG y, DWORD buttons = 0) {
  sendMouse(buttons | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, normalised(x, GetSystemMetrics(SM_CXSCREEN)),
            normalised(y, GetSystemMetrics(SM_CYSCREEN)));
}

// The same on the virtual screen, which holds every monitor.
void moveOnVirtualScreen(LONG x, LONG y) {
  sendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK,
            normalised(x - GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_CXVIRTUALSCREEN)),
            normalised(y - GetSystemMetrics(SM_YVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)));
}

}  // namespace

// The key's physical state as the system has it now.
void cmdKeyState(const Args& args, JsonWriter& out) {
  out.field("down", (GetAsyncKeyState(static_cast<int>(args.number(0))) & 0x8000) != 0);
}

void cmdKey(const Args& args, JsonWriter& out) {
  const auto vk = static_cast<WORD>(args.number(0));
  const std::string action = args.count() > 1 ? args.at(1) : "tap";
  const auto gap = args.option("gap", 20);
  int downs = 0;
  if (action == "down") {
    sendKey(vk, false);
    ++downs;
  } else if (action == "up") {
    sendKey(vk, true);
  } else if (action == "tap") {
    sendKey(vk, false);
    ++downs;
    pause(gap);
    sendKey(vk, true);
  } else if (action == "hold") {
    // A held key: one press, then the typematic repeats, then the release.
    const auto total = args.option("ms", 1000);
    const auto first = args.option("first", 500);
    const auto every = args.option("every", 33);
    if (every <= 0) throw CommandError("key hold: --every must be positive");
    const ULONGLONG start = GetTickCount64();
    const auto elapsed = [&] { return static_cast<std::int64_t>(GetTickCount64() - start); };
    sendKey(vk, false);
    ++downs;
    std::int64_t next = first;
    while (next < total) {
      pause(next - elapsed());
      sendKey(vk, false);
      ++downs;
      next += every;
    }
    pause(total - elapsed());
    sendKey(vk, true);
  } else {
    throw CommandError("key: action is down, up, tap or hold");
  }
  // Time before the next command: a grown-up's modifier held a moment, a palm's keys spread out.
  pause(args.option("after", 0));
  out.field("vk", static_cast<int>(vk)).field("downs", downs);
}

void cmdMove(const Args& args, JsonWriter& out) {
  const auto x = static_cast<LONG>(args.number(0));
  const auto y = static_cast<LONG>(args.number(1));
  const auto steps = args.option("steps", 1);
  const auto gap = args.option("gap", 10);
  if (args.flag("virtual")) {
    // --virtual: X Y anywhere on the virtual screen, e.g. on another monitor; one step.
    moveOnVirtualScreen(x, y);
  } else {
    if (steps > 1) {
      POINT from{};
      GetCursorPos(&from);
      for (std::int64_t i = 1; i < steps; ++i) {
        moveTo(static_cast<LONG>(from.x + (x - from.x) * i / steps), static_cast<LONG>(from.y + (y - from.y) * i / steps));
        pause(gap);
      }
    }
    moveTo(x, y);
  }
  POINT now{};
  GetCursorPos(&now);
  out.field("x", now.x).field("y", now.y);
}

void cmdButton(const Args& args, JsonWriter& out) {
  const std::string& which = args.at(0);
  const std::string action = args.count() > 1 ? args.at(1) : "click";
  DWORD down = 0;
  DWORD up = 0;
  if (which == "left") {
    down = MOUSEEVENTF_LEFTDOWN;
    up = MOUSEEVENTF_LEFTUP;
  } else if (which == "right") {
    down = MOUSEEVENTF_RIGHTDOWN;
    up = MOUSEEVENTF_RIGHTUP;
  } else if (which == "middle") {
    down = MOUSEEVENTF_MIDDLEDOWN;
    up = MOUSEEVENTF_MIDDLEUP;
  } else {
    throw CommandError("button: left, right or middle");
  }
  // --at=X,Y: each press and release carries that position, so a pointer moved by someone else
  // in between (Wine may warp it when a menu closes) cannot send the click elsewhere.
  const auto at = args.option("at");
  POINT point{};
  if (at && std::sscanf(at->c_str(), "%ld,%ld", &point.x, &point.y) != 2) throw CommandError("button: --at=X,Y");
  const auto send = [&](DWORD flags) {
    if (at) {
      moveTo(point.x, point.y, flags);
    } else {
      sendMouse(flags);
    }
  };
  if (action == "down") {
    send(down);
  } else if (action == "up") {
    send(up);
  } else if (action == "click") {
    send(down);
    pause(args.option("gap", 20));
    send(up);
  } else {
    throw CommandError("button: action is down, up or click");
  }
  out.field("button", which).field("action", action);
}

void cmdWheel(const Args& args, JsonWriter& out) {
  const auto delta = args.number(0);
  sendMouse(MOUSEEVENTF_WHEEL, 0, 0, static_cast<DWORD>(static_cast<LONG>(delta)));
  out.field("delta", delta);
}

void cmdLocks(const Args&, JsonWriter& out) {
  // This thread processes no input, so under Wine GetKeyState reads the system-wide (desktop) key
  // state. The foreground thread's own state is not read: attaching to its input to read it would
  // overwrite that thread's key state.
  out.field("capslock", (GetKeyState(VK_CAPITAL) & 1) != 0);
  out.field("numlock", (GetKeyState(VK_NUMLOCK) & 1) != 0);
  out.field("scrolllock", (GetKeyState(VK_SCROLL) & 1) != 0);
  out.field("insert", (GetKeyState(VK_INSERT) & 1) != 0);
}
