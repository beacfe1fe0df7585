#include "core/PictureChanges.h"

#include <atomic>

#include "core/ListenerTurns.h"

namespace {
ListenerTurns listeners;
std::atomic<HWND> overlayWindow{nullptr};
}  // namespace

namespace picture_changes {

HANDLE ChangedEvent() {
  static const HANDLE changed = ::CreateEventW(nullptr, FALSE, FALSE, nullptr);
  return changed;
}

unsigned Listen() { return listeners.Begin(); }

void StopListening(unsigned turn) { listeners.End(turn); }

bool StillListening(unsigned turn) { return listeners.IsCurrent(turn); }

void Note() {
  if (listeners.Listening()) ::SetEvent(ChangedEvent());
}

void SetOverlay(HWND overlay) {
  overlayWindow.store(overlay);
  Note();
}

HWND Overlay() { return overlayWindow.load(); }

}  // namespace picture_changes
