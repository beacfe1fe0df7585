#pragma once
#include <array>
#include <bitset>
#include <span>

// What the keyboard hook does with each key event while the toy runs. The rules are rows of data:
// the first row whose keys and held modifiers match decides, for presses and releases alike.

enum class KeyVerdict {
  Pass,                // the event goes on to the system and the toy
  Swallow,             // nobody sees it
  SwallowAndTapSpace,  // nobody sees it, and one Space stroke is synthesised in its place
};

// A key event as the hooks see it: the key, whether it is a release, and the modifiers held.
struct KeyEvent {
  unsigned virtualKey = 0;
  bool isRelease = false;
  bool ctrlHeld = false;
  bool shiftHeld = false;
  bool altHeld = false;
};

// Keys that are swallowed; their release is answered with a Space (but see HankakuZenkaku).
inline constexpr std::array<unsigned, 7> SwallowAndMaskKeys = {0x1C, 0x1D, 0xF3, 0xF4, 0x5B, 0x5C, 0x91};
// The two codes of the Hankaku/Zenkaku key: swallowed without any Space.
inline constexpr std::array<unsigned, 2> HankakuZenkakuKeys = {0xF3, 0xF4};
// Keys that are swallowed and answered with a Space on every event, repeats included.
inline constexpr std::array<unsigned, 10> SwallowAndTapKeys = {0x29, 0x2A, 0x2B, 0x2F, 0x19,
                                                               0x5F, 0xB4, 0xB5, 0xB6, 0xB7};
// Keys whose default processing asks the shell to act: the browser keys (back to home), the volume
// keys and the media keys. Swallowed and answered with a Space on every event, as the launch keys.
inline constexpr std::array<unsigned, 14> ShellCommandKeys = {0xA6, 0xA7, 0xA8, 0xA9, 0xAA, 0xAB, 0xAC,
                                                              0xAD, 0xAE, 0xAF, 0xB0, 0xB1, 0xB2, 0xB3};
// Keys that switch the input method on or into another mode (Kana, IME on and off, Katakana/Hiragana,
// Eisu, Romaji): swallowed without any Space, as the Hankaku/Zenkaku key.
inline constexpr std::array<unsigned, 7> InputMethodKeys = {0x15, 0x16, 0x1A, 0xF0, 0xF1, 0xF2, 0xF5};

// The low-level hook of the NT family: Ctrl+Esc, Alt+Tab, Alt+Esc, the system, shell and input
// method keys, Ctrl+Alt with
// anything but Delete, and function keys with a modifier (Alt+F4 excepted).
KeyVerdict JudgeLowLevelKey(const KeyEvent& event);

// The keyboard hook of the 95/98/Me family, which only knows the key tables.
KeyVerdict JudgeLegacyKey(const KeyEvent& event);

// The low-level hook's judge. On top of the rules it lets the release of every key whose press it
// let through go through as well: the system counts a key down until it sees the release, so a
// release held back would leave the key down for good, and a Ctrl or Alt stuck down would turn
// every later key into a swallowed Ctrl+Alt combination. Used by one thread.
class LowLevelKeyJudge {
 public:
  KeyVerdict Judge(const KeyEvent& event);

  // True when the verdict on the event does not depend on the modifiers held (the release of a key
  // whose press went through): the hook need not read them.
  bool IgnoresModifiers(unsigned virtualKey, bool isRelease) const;

 private:
  std::bitset<256> passedPresses_;
};
