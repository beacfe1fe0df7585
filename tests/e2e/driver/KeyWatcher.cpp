// Watches every key event the system delivers, including keys other programs synthesise, through
// a low-level keyboard hook. Prints {"ready":true} once the hook is in place, one line per event,
// and ends after --ms or, with --stdin, when a line (or end of input) arrives.
#include "Commands.h"

#include <windows.h>

#include <vector>

namespace {

struct KeyEvent {
  WPARAM message;
  KBDLLHOOKSTRUCT data;
};

std::vector<KeyEvent> pendingEvents;

LRESULT CALLBACK keyboardHook(int code, WPARAM wp, LPARAM lp) noexcept {
  if (code == HC_ACTION) {
    try {
      pendingEvents.push_back({wp, *reinterpret_cast<const KBDLLHOOKSTRUCT*>(lp)});
    } catch (...) {
    }
  }
  return CallNextHookEx(nullptr, code, wp, lp);
}

DWORD WINAPI waitForInputLine(void* event) noexcept {
  const HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
  char c = 0;
  DWORD got = 0;
  while (ReadFile(in, &c, 1, &got, nullptr) && got == 1 && c != '\n') {
  }
  SetEvent(static_cast<HANDLE>(event));
  return 0;
}

const char* messageName(WPARAM m) {
  switch (m) {
    case WM_KEYDOWN: return "WM_KEYDOWN";
    case WM_KEYUP: return "WM_KEYUP";
    case WM_SYSKEYDOWN: return "WM_SYSKEYDOWN";
    case WM_SYSKEYUP: return "WM_SYSKEYUP";
    default: return "?";
  }
}

void flushEvents(int& count) {
  for (const KeyEvent& e : pendingEvents) {
    JsonWriter line;
    line.field("event", "key");
    line.field("vk", e.data.vkCode);
    line.field("scan", e.data.scanCode);
    line.field("down", !(e.data.flags & LLKHF_UP));
    line.field("injected", (e.data.flags & LLKHF_INJECTED) != 0);
    line.field("extended", (e.data.flags & LLKHF_EXTENDED) != 0);
    line.field("flags", e.data.flags);
    line.field("time", e.data.time);
    line.field("message", messageName(e.message));
    emitLine(line.finish());
    ++count;
  }
  pendingEvents.clear();
}

}  // namespace

void cmdWatchKeys(const Args& args, JsonWriter& out) {
  const auto total = static_cast<ULONGLONG>(args.option("ms", 10000));
  HHOOK hook = SetWindowsHookExW(WH_KEYBOARD_LL, keyboardHook, GetModuleHandleW(nullptr), 0);
  if (!hook) throw CommandError("SetWindowsHookEx failed");
  HANDLE stop = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (args.flag("stdin")) {
    HANDLE reader = CreateThread(nullptr, 0, waitForInputLine, stop, 0, nullptr);
    if (reader) CloseHandle(reader);
  }
  // Make sure this thread has a message queue before announcing that the hook is live.
  MSG msg;
  PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
  {
    JsonWriter ready;
    ready.field("ready", true).field("tick", static_cast<std::int64_t>(GetTickCount()));
    emitLine(ready.finish());
  }
  int count = 0;
  const ULONGLONG start = GetTickCount64();
  for (;;) {
    const ULONGLONG elapsed = GetTickCount64() - start;
    if (elapsed >= total) break;
    const DWORD r = MsgWaitForMultipleObjects(1, &stop, FALSE, static_cast<DWORD>(total - elapsed), QS_ALLINPUT);
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    flushEvents(count);
    if (r == WAIT_OBJECT_0) break;
  }
  UnhookWindowsHookEx(hook);
  CloseHandle(stop);
  flushEvents(count);
  out.field("events", count);
}
