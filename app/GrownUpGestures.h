#pragma once
#include <windows.h>

#include <array>
#include <atomic>
#include <bitset>

#include "app/GrownUpChords.h"

// The frame's messages for the grown-up menu.
constexpr UINT WMU_SHOW_GROWN_UP_MENU = 5031;  // first parameter: the menu's number
constexpr UINT WMU_END_GROWN_UP_MENU = 5032;   // a smash asked the open menu to close

// Carries the chord judge's answers from the keyboard hook to the interface thread. A verdict is
// kept with the key release it belongs to and taken when that release arrives: one posted from the
// hook thread could overtake the input still queued before it. A smash's request to close the menu
// is the exception, as closing is always safe: it is posted at once, and a menu that had not yet
// opened when it came does not open.
//
// Each grown-up menu has a number; the judge and the interface thread keep to the same menu by it.
// Each thread that observes keys judges with a chord judge of its own: a hook thread let go after
// the system dropped its hook may run again later, and must not judge with the next thread's.
class GrownUpGestures {
 public:
  // The window that receives WMU_END_GROWN_UP_MENU; null to stop.
  void Attach(HWND frame) { frame_ = frame; }

  // The hook's side, for every key event but the toy's own Spaces. `time` is the event's time
  // stamp, 0 when the hook runs in the thread that takes the message (95/98/Me) and has none.
  void Observe(unsigned virtualKey, bool isRelease, DWORD time);

  // The interface thread's side: the verdict recorded for a key release (WM_KEYUP, WM_SYSKEYUP),
  // taken once; its menu's number goes to `menu`.
  GrownUpVerdict TakeVerdict(const MSG& release, unsigned* menu = nullptr);
  // The frame's side of the chords: a key press that reached the frame, and the verdict for a key
  // release there, which counts only when the frame saw that key's press. A press that a modal loop
  // took (a grown-up's dialog that the system's own Alt+F4 closes) does not end the toy at its
  // release in the frame.
  void PressReachedFrame(unsigned virtualKey) { framePresses_.set(GenericKeyOf(virtualKey) & 0xFF); }
  GrownUpVerdict TakeFrameVerdict(const MSG& release, unsigned* menu);
  // A modal loop (a dialog, the grown-up menu) has ended: nothing recorded before its end counts.
  void ModalLoopEnded();
  // True when a smash asked menu `menu` to close.
  bool CloseRequested(unsigned menu) const { return closeRequested_.load() >= menu; }
  // Menu `menu` is gone (or never opened).
  void MenuEnded(unsigned menu) { menuEnded_.store(menu); }

 private:
  struct Record {
    unsigned key = 0;
    DWORD time = 0;
    GrownUpVerdict verdict = GrownUpVerdict::Nothing;
    unsigned menu = 0;
  };

  void Forget(unsigned key);

  std::atomic<unsigned> latestMenu_{0};  // the number of the latest menu any judge opened
  std::atomic<HWND> frame_{nullptr};
  std::atomic<unsigned> closeRequested_{0};
  std::atomic<unsigned> menuEnded_{0};
  SRWLOCK lock_ = SRWLOCK_INIT;
  std::array<Record, 8> records_{};
  std::size_t next_ = 0;
  std::bitset<256> framePresses_;  // only the interface thread
};

GrownUpGestures& TheGrownUpGestures();
