#pragma once
#include <array>
#include <bitset>
#include <cstdint>

// What one key event means for the grown-ups' ways out.
enum class GrownUpVerdict {
  Nothing,
  OpenMenu,   // the release that ends an exact Shift+Esc chord: the grown-up menu opens
  CloseToy,   // the release that ends an exact Alt+F4 chord: the toy closes where the options allow
  Choose,     // the release of a key that was alone from its press on while the menu is open
  CloseMenu,  // a key pressed while another is down (a smash) while the menu is open
};

// The key a left or right modifier key stands for (Shift, Ctrl or Alt); any other key itself.
unsigned GenericKeyOf(unsigned virtualKey);

// Tells a grown-up's deliberate chords from a child's palm on the keyboard. It is fed every key
// press and release that reaches the keyboard (swallowed keys included) and answers each.
//
// A chord is the modifier pressed while no other key is down and held on its own for a moment, then
// the chord's key, and no other key pressed from the modifier's press to the key's release. The
// modifier may come up first; either the left or the right key of its class will do, but not both
// (a second Shift or Alt while one is held is a palm, not a grown-up); repeats of a held key are not
// other keys. A key held when the modifier went down and let go before the chord's key is another
// key: it was really down. AltGr counts as Ctrl and Alt together (keyboards with AltGr send a
// made-up left Ctrl with the right Alt), so there the left Alt is the one that closes the toy.
//
// Releases the judge never sees (the secure desktop of Ctrl+Alt+Delete takes them) are found out
// with the system: when a modifier goes down, keys of its class that the system has up stop
// counting; a press of a key counted down that comes long after its last event is a new press; and
// at the chord's completion a modifier quiet since long before must still be held, or have been
// seen to come up.
//
// While the grown-up menu is open, a key counts only when it is alone from its press to its
// release, and a key pressed while another is down closes the menu. A modifier still held from the
// chord that opened the menu is not another key. Used by one thread.
class GrownUpChordJudge {
 public:
  // Asks the system whether a key is still down. A key the judge counts as down is checked before it
  // stops a grown-up: the secure desktop (Ctrl+Alt+Delete) takes releases the judge never sees.
  using HeldCheck = bool (*)(unsigned virtualKey);

  // How long the modifier is down before the chord's key, at least. A grown-up holds Shift or Alt
  // for longer than that before pressing Esc or F4; a child's two hands land closer together.
  static constexpr std::uint32_t ModifierLeadMs = 120;

  // A held key repeats at least every 400 ms once the keyboard's repeat delay (1 s at most in
  // Windows' settings) is over, so a press of a key counted down that comes longer than this after
  // the key's last event cannot be a repeat: its release was lost, and this is a new press.
  static constexpr std::uint32_t RepeatGapMs = 1500;

  explicit GrownUpChordJudge(HeldCheck stillHeld = nullptr) : stillHeld_(stillHeld) {}

  GrownUpVerdict Press(unsigned virtualKey, std::uint32_t timeMs);
  GrownUpVerdict Release(unsigned virtualKey, std::uint32_t timeMs);

  // The grown-up menu is gone, whichever way it went.
  void MenuClosed();
  bool MenuOpen() const { return menuOpen_; }

 private:
  struct ChordState {
    bool clean = false;  // nothing else pressed since the modifier went down
    std::uint32_t modifierDownAt = 0;
    // Keys counted as down when the modifier went down: the chord stands only if each turns out
    // not to be down after all (its release was never seen).
    std::bitset<256> othersDown;
  };

  bool OnlyHeld(unsigned modifier, unsigned except);
  void ForgetLostReleases(unsigned kind, unsigned except);
  bool ArmedModifierReal();
  bool OthersHeld(unsigned except);
  GrownUpVerdict PressInMenu(unsigned key);

  HeldCheck stillHeld_;
  std::bitset<256> down_;
  std::array<std::uint32_t, 256> lastEventAt_{};
  std::bitset<256> armedModifiers_;  // the modifier's keys counted down when the chord's key went down
  std::uint32_t armedAt_ = 0;         // when it went down
  std::array<ChordState, 2> chords_{};
  int armed_ = -1;  // the chord whose key went down as an exact chord, until that key comes up
  bool menuOpen_ = false;
  std::bitset<256> excused_;  // keys held since before the menu opened
  unsigned lone_ = 0;         // the key pressed alone in the menu, 0 when none
};
