#include "ProbeSupport.h"

#include "framework/FrameWindow.h"

CreateParams TopLevel(const wchar_t* title, RECT rect, DWORD style, HWND owner) {
  CreateParams params;
  params.title = title;
  params.style = style;
  params.rect = rect;
  params.parent = owner;
  return params;
}

bool CreatePane(Window& pane, HWND frame, DWORD extraStyle) {
  CreateParams params;
  params.style = WS_CHILD | WS_VISIBLE | extraStyle;
  params.rect = {0, 0, 0, 0};
  params.parent = frame;
  params.menuOrId = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(FrameWindow::PaneId));
  return pane.Create(std::move(params));
}

bool PaneCoversClient(HWND frame, std::string* detail) {
  const HWND pane = ::GetDlgItem(frame, FrameWindow::PaneId);
  if (pane == nullptr) {
    if (detail != nullptr) *detail = "the frame has no pane";
    return false;
  }
  RECT client{};
  ::GetClientRect(frame, &client);
  RECT paneRect{};
  ::GetWindowRect(pane, &paneRect);
  ::MapWindowPoints(nullptr, frame, reinterpret_cast<POINT*>(&paneRect), 2);
  const bool covers = ::EqualRect(&client, &paneRect) != FALSE;
  if (!covers && detail != nullptr) {
    *detail = Format("client (%ld,%ld)-(%ld,%ld), pane (%ld,%ld)-(%ld,%ld)", client.left, client.top,
                     client.right, client.bottom, paneRect.left, paneRect.top, paneRect.right,
                     paneRect.bottom);
  }
  return covers;
}

int IndexOf(const std::vector<std::string>& events, const std::string& event, int from) {
  for (std::size_t i = static_cast<std::size_t>(from < 0 ? 0 : from); i < events.size(); ++i) {
    if (events[i] == event) return static_cast<int>(i);
  }
  return -1;
}

int CountOf(const std::vector<std::string>& events, const std::string& event) {
  int count = 0;
  for (const std::string& each : events) count += each == event ? 1 : 0;
  return count;
}

std::string Joined(const std::vector<std::string>& events) {
  std::string joined;
  for (const std::string& each : events) {
    if (!joined.empty()) joined += " | ";
    joined += each;
  }
  return joined;
}
