#include "core/PictureChanges.h"

#include <atomic>

namespace {
std::atomic<HANDLE> listener{nullptr};
std::atomic<HWND> overlayWindow{nullptr};
}  // namespace

namespace picture_changes {

void Listen(HANDLE changed) { listener.store(changed); }

void Note() {
  if (const HANDLE changed = listener.load(); changed != nullptr) ::SetEvent(changed);
}

void SetOverlay(HWND overlay) {
  overlayWindow.store(overlay);
  Note();
}

HWND Overlay() { return overlayWindow.load(); }

}  // namespace picture_changes
