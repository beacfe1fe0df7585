#include "app/GrownUpMenu.h"

#include <cwctype>
#include <string>

#include "app/GrownUpGestures.h"
#include "core/VirtualKeys.h"
#include "framework/Handles.h"
#include "resources/resource.h"

namespace {

// The menu being tracked, for the message filter; only the interface thread.
struct TrackedMenu {
  HMENU popup = nullptr;
  unsigned number = 0;
  UINT chosen = 0;
};
TrackedMenu* tracked = nullptr;

// The keys the menu's loop may act on at their press: moving the highlight and Esc.
bool ActsAtPress(WPARAM key) {
  switch (key) {
    case vk::Left:
    case vk::Up:
    case vk::Right:
    case vk::Down:
    case vk::Escape:
    case vk::End:
    case vk::Home:
      return true;
    default:
      return false;
  }
}

// The letter after the item's '&', upper case; 0 when it has none.
wchar_t MnemonicOf(const std::wstring& text) {
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != L'&') continue;
    if (text[i + 1] != L'&') return static_cast<wchar_t>(std::towupper(text[i + 1]));
    ++i;
  }
  return 0;
}

// The command a key chooses: the item with that letter, or for Enter and Space the highlighted one.
UINT CommandFor(HMENU popup, unsigned key) {
  const int count = ::GetMenuItemCount(popup);
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOW item{};
    item.cbSize = sizeof(item);
    item.fMask = MIIM_ID | MIIM_STATE | MIIM_FTYPE;
    if (!::GetMenuItemInfoW(popup, static_cast<UINT>(i), TRUE, &item) || (item.fType & MFT_SEPARATOR) != 0) continue;
    if (key == vk::Return || key == vk::Space) {
      if ((item.fState & MFS_HILITE) != 0) return item.wID;
      continue;
    }
    wchar_t text[128] = {};
    ::GetMenuStringW(popup, static_cast<UINT>(i), text, 128, MF_BYPOSITION);
    if (MnemonicOf(text) == static_cast<wchar_t>(key)) return item.wID;
  }
  return 0;
}

LRESULT CALLBACK FilterMenuKeys(int code, WPARAM wParam, LPARAM lParam) {
  auto* message = reinterpret_cast<MSG*>(lParam);
  if (code != MSGF_MENU || tracked == nullptr) return ::CallNextHookEx(nullptr, code, wParam, lParam);
  switch (message->message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      return ActsAtPress(message->wParam) ? 0 : 1;
    case WM_CHAR:
    case WM_SYSCHAR:
    case WM_DEADCHAR:
    case WM_SYSDEADCHAR:
      return 1;
    case WM_KEYUP:
    case WM_SYSKEYUP:
      if (TheGrownUpGestures().TakeVerdict(*message) == GrownUpVerdict::Choose) {
        if (const UINT command = CommandFor(tracked->popup, static_cast<unsigned>(message->wParam)); command != 0) {
          tracked->chosen = command;
          ::EndMenu();
        }
      }
      return 1;
    default:
      return 0;
  }
}

}  // namespace

UINT TrackGrownUpMenu(HWND owner, unsigned menu) {
  GrownUpGestures& gestures = TheGrownUpGestures();
  const OwnedMenu resource(::LoadMenuW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME)));
  const HMENU popup = resource ? ::GetSubMenu(resource.Get(), 0) : nullptr;
  if (popup == nullptr || gestures.CloseRequested(menu)) {
    gestures.MenuEnded(menu);
    return 0;
  }
  TrackedMenu state{popup, menu, 0};
  tracked = &state;
  const OwnedHook filter(::SetWindowsHookExW(WH_MSGFILTER, &FilterMenuKeys, nullptr, ::GetCurrentThreadId()));
  ::SetForegroundWindow(owner);
  const auto clicked = static_cast<UINT>(
      ::TrackPopupMenu(popup, TPM_RIGHTBUTTON | TPM_RETURNCMD, 0, 0, 0, owner, nullptr));
  tracked = nullptr;
  gestures.MenuEnded(menu);
  return clicked != 0 ? clicked : state.chosen;
}

void EndGrownUpMenuIfAsked() {
  if (tracked != nullptr && TheGrownUpGestures().CloseRequested(tracked->number)) ::EndMenu();
}
