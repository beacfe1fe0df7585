#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/AccessibilityShortcuts.h"
#include "app/CursorConfinement.h"
#include "app/HookWatchdog.h"
#include "app/KeyLockRules.h"

namespace {

// Written out here rather than taken from the product tables, so a wrong table entry shows up.
constexpr unsigned Esc = 0x1B, Tab = 0x09, Delete = 0x2E, F1 = 0x70, F4 = 0x73, F24 = 0x87;
// Convert, NonConvert, both Windows keys, Scroll Lock, and the input method's keys: the two
// Hankaku/Zenkaku codes, Kana, IME on and off, Katakana/Hiragana, Eisu and Romaji.
constexpr std::array<unsigned, 14> systemKeys = {0x1C, 0x1D, 0x5B, 0x5C, 0x91, 0xF3, 0xF4,
                                                 0x15, 0x16, 0x1A, 0xF0, 0xF1, 0xF2, 0xF5};
constexpr std::array<unsigned, 9> silentKeys = {0xF3, 0xF4, 0x15, 0x16, 0x1A, 0xF0, 0xF1, 0xF2, 0xF5};
// Select, Print, Execute, Help, Kanji, Sleep, the four launch keys, and the browser (0xA6-0xAC),
// volume (0xAD-0xAF) and media (0xB0-0xB3) keys.
constexpr std::array<unsigned, 24> spaceKeys = {0x29, 0x2A, 0x2B, 0x2F, 0x19, 0x5F, 0xB4, 0xB5, 0xB6, 0xB7, 0xA6, 0xA7,
                                                0xA8, 0xA9, 0xAA, 0xAB, 0xAC, 0xAD, 0xAE, 0xAF, 0xB0, 0xB1, 0xB2, 0xB3};

template <std::size_t N>
bool In(const std::array<unsigned, N>& keys, unsigned key) {
  return std::ranges::find(keys, key) != keys.end();
}

bool IsFunctionKey(unsigned key) { return key >= F1 && key <= F24; }
bool IsSystemKey(unsigned key) { return In(systemKeys, key) || In(spaceKeys, key); }

// Every press and release of the key under each of the eight modifier combinations.
std::vector<KeyEvent> EventsFor(unsigned key) {
  std::vector<KeyEvent> events;
  for (unsigned held = 0; held < 8; ++held) {
    for (bool release : {false, true}) {
      events.push_back({key, release, (held & 1) != 0, (held & 2) != 0, (held & 4) != 0});
    }
  }
  return events;
}

std::string Describe(const KeyEvent& e) {
  char key[16];
  std::snprintf(key, sizeof key, "key 0x%02X", e.virtualKey);
  return std::string(key) + (e.isRelease ? " up" : " down") + (e.ctrlHeld ? " +Ctrl" : "") +
         (e.shiftHeld ? " +Shift" : "") + (e.altHeld ? " +Alt" : "");
}

KeyVerdict SwallowIf(bool swallow) { return swallow ? KeyVerdict::Swallow : KeyVerdict::Pass; }

// What a system key gets, whichever modifiers are held.
KeyVerdict SystemKeyVerdict(const KeyEvent& e) {
  if (In(spaceKeys, e.virtualKey)) return KeyVerdict::SwallowAndTapSpace;
  if (e.isRelease && !In(silentKeys, e.virtualKey)) return KeyVerdict::SwallowAndTapSpace;
  return KeyVerdict::Swallow;
}

TEST(KeyLockLowLevel, SystemKeysAreSwallowedWhateverIsHeldAndAnsweredWithASpace) {
  // Launch, shell and media keys tap on presses and releases; the others on releases only, the
  // input method's keys never. Ctrl+Alt must not hide the Space a Windows key release gets.
  for (unsigned key = 0; key < 256; ++key) {
    if (!IsSystemKey(key)) continue;
    for (const KeyEvent& e : EventsFor(key)) EXPECT_EQ(JudgeLowLevelKey(e), SystemKeyVerdict(e)) << Describe(e);
  }
}

TEST(KeyLockLowLevel, EscNeedsCtrlOrAltAndTabNeedsAlt) {
  // Esc alone and Shift+Esc pass; Ctrl+Tab and Shift+Tab pass.
  for (const KeyEvent& e : EventsFor(Esc)) {
    EXPECT_EQ(JudgeLowLevelKey(e), SwallowIf(e.ctrlHeld || e.altHeld)) << Describe(e);
  }
  for (const KeyEvent& e : EventsFor(Tab)) EXPECT_EQ(JudgeLowLevelKey(e), SwallowIf(e.altHeld)) << Describe(e);
}

TEST(KeyLockLowLevel, FunctionKeysNeedAModifierAndAltAloneLetsF4Through) {
  for (unsigned key = 0; key < 256; ++key) {
    if (!IsFunctionKey(key)) continue;
    for (const KeyEvent& e : EventsFor(key)) {
      const bool anyHeld = e.ctrlHeld || e.shiftHeld || e.altHeld;
      const bool altF4 = key == F4 && e.altHeld && !e.ctrlHeld && !e.shiftHeld;
      EXPECT_EQ(JudgeLowLevelKey(e), SwallowIf(anyHeld && !altF4)) << Describe(e);
    }
  }
}

TEST(KeyLockLowLevel, EveryOtherKeyIsSwallowedOnlyUnderCtrlAltAndDeleteNever) {
  for (unsigned key = 0; key < 256; ++key) {
    if (IsSystemKey(key) || IsFunctionKey(key) || key == Esc || key == Tab) continue;
    for (const KeyEvent& e : EventsFor(key)) {
      const bool ctrlAlt = e.ctrlHeld && e.altHeld && key != 0 && key != Delete;
      EXPECT_EQ(JudgeLowLevelKey(e), SwallowIf(ctrlAlt)) << Describe(e);
    }
  }
}

TEST(KeyLockLowLevel, ExtraModifiersNeverLetASwallowedKeyThrough) {
  for (unsigned key = 0; key < 256; ++key) {
    for (const KeyEvent& fewer : EventsFor(key)) {
      if (JudgeLowLevelKey(fewer) == KeyVerdict::Pass) continue;
      for (const KeyEvent& more : EventsFor(key)) {
        const bool superset = more.isRelease == fewer.isRelease && (more.ctrlHeld || !fewer.ctrlHeld) &&
                              (more.shiftHeld || !fewer.shiftHeld) && (more.altHeld || !fewer.altHeld);
        if (superset) {
          EXPECT_NE(JudgeLowLevelKey(more), KeyVerdict::Pass) << Describe(more);
        }
      }
    }
  }
}

TEST(KeyLockLegacy, OnlySystemKeysAreSwallowedAndModifiersAreIgnored) {
  // Alt+Tab, Ctrl+Esc, Ctrl+Alt+anything and Shift+F1 all pass here.
  for (unsigned key = 0; key < 256; ++key) {
    for (const KeyEvent& e : EventsFor(key)) {
      EXPECT_EQ(JudgeLegacyKey(e), IsSystemKey(key) ? SystemKeyVerdict(e) : KeyVerdict::Pass) << Describe(e);
    }
  }
}

TEST(CursorConfinement, FourOffRightAndBottomTwoOffLeftAndTopOnlyBehindAHiddenTopmostBarAtANegativeCorner) {
  for (const Rect client : {Rect{0, 0, 640, 480}, Rect{-7, 13, 1024, 768}}) {
    for (bool autoHide : {false, true}) {
      for (bool onTop : {false, true}) {
        for (int left : {-200, -1, 0, 1}) {
          for (int top : {-30, -1, 0, 2}) {
            const TaskBarPlacement bar{autoHide, onTop, {left, top, left + 800, top + 30}};
            const int inset = autoHide && onTop && left < 0 && top < 0 ? 2 : 0;
            const Rect expected{client.left + inset, client.top + inset, client.right - 4, client.bottom - 4};
            EXPECT_EQ(ConfinementRect(client, bar), expected)
                << "autoHide " << autoHide << " onTop " << onTop << " bar at " << left << "," << top;
          }
        }
      }
    }
  }
}

TEST(CursorSlot, EachOfTheFiveCursorsHasTwoIndicesPairedAsDesigned) {
  std::array<int, 5> uses{};
  for (int index = 0; index < 10; ++index) {
    const int slot = CursorSlotForIndex(index);
    ASSERT_GE(slot, 0) << index;
    ASSERT_LT(slot, 5) << index;
    ++uses[static_cast<std::size_t>(slot)];
  }
  for (int count : uses) EXPECT_EQ(count, 2);

  const int pairs[5][2] = {{0, 2}, {3, 5}, {1, 7}, {4, 8}, {6, 9}};
  for (int cursor = 0; cursor < 5; ++cursor) {
    for (int index : pairs[cursor]) EXPECT_EQ(CursorSlotForIndex(index), cursor) << "index " << index;
  }
}

TEST(AccessibilityShortcuts, HotKeyIsClearedOnlyWhileTheFeatureIsOffAndEverythingElseIsKept) {
  std::vector<std::uint32_t> samples;
  for (std::uint32_t low = 0; low < 0x200; ++low) {
    for (std::uint32_t high : {0x0u, 0x8000'0000u, 0xFFFF'FE00u}) samples.push_back(high | low);
  }
  for (std::uint32_t flags : samples) {
    const auto result = accessibility::FlagsWhilePlaying(flags);
    const bool shortcutOfAnUnusedFeature = (flags & 0x1) == 0 && (flags & 0x4) != 0;
    ASSERT_EQ(result.has_value(), shortcutOfAnUnusedFeature) << std::hex << flags;
    if (result) {
      EXPECT_EQ(*result, flags & ~0x4u) << std::hex << flags;
    }
  }
}

}  // namespace

namespace {

TEST(KeyLockJudge, ReleasesOfKeysWhosePressWentThroughAlwaysGoThrough) {
  constexpr unsigned LeftCtrl = 0xA2, LeftAlt = 0xA4, A = 0x41, F5 = 0x74, LeftWin = 0x5B;
  LowLevelKeyJudge judge;
  // Alt, then Ctrl (each alone when pressed), then A under both: the A is swallowed, and the
  // modifiers' releases, judged while both still count as held, go through all the same.
  EXPECT_EQ(judge.Judge({LeftAlt, false, false, false, false}), KeyVerdict::Pass);
  EXPECT_EQ(judge.Judge({LeftCtrl, false, false, false, true}), KeyVerdict::Pass);
  EXPECT_EQ(judge.Judge({A, false, true, false, true}), KeyVerdict::Swallow);
  EXPECT_EQ(judge.Judge({A, true, true, false, true}), KeyVerdict::Swallow) << "its press was held back";
  EXPECT_EQ(judge.Judge({LeftCtrl, true, true, false, true}), KeyVerdict::Pass);
  EXPECT_EQ(judge.Judge({LeftAlt, true, false, false, true}), KeyVerdict::Pass);
  // F5 pressed alone, released with Shift held: the release completes the press.
  EXPECT_EQ(judge.Judge({F5, false, false, false, false}), KeyVerdict::Pass);
  EXPECT_EQ(judge.Judge({F5, true, false, true, false}), KeyVerdict::Pass);
  // Once released, the key is judged by the rules again.
  EXPECT_EQ(judge.Judge({F5, true, false, true, false}), KeyVerdict::Swallow);
  // A swallowed press is never remembered: the Windows key stays swallowed and gives its Space.
  EXPECT_EQ(judge.Judge({LeftWin, false, false, false, false}), KeyVerdict::Swallow);
  EXPECT_EQ(judge.Judge({LeftWin, true, false, false, false}), KeyVerdict::SwallowAndTapSpace);
  // Codes outside the key range are judged by the rules alone.
  EXPECT_EQ(judge.Judge({0x1FF, false, true, false, true}), KeyVerdict::Swallow);
  EXPECT_EQ(judge.Judge({0x1FF, true, true, false, true}), KeyVerdict::Swallow);
}

TEST(KeyLockJudge, OnlyTheReleaseOfAKeyWhosePressWentThroughIgnoresTheModifiers) {
  constexpr unsigned A = 0x41, F5 = 0x74, LeftWin = 0x5B;
  LowLevelKeyJudge judge;
  EXPECT_FALSE(judge.IgnoresModifiers(A, false)) << "a press";
  EXPECT_FALSE(judge.IgnoresModifiers(A, true)) << "a release without its press";
  EXPECT_EQ(judge.Judge({A, false, false, false, false}), KeyVerdict::Pass);
  EXPECT_FALSE(judge.IgnoresModifiers(A, false)) << "a repeated press";
  EXPECT_TRUE(judge.IgnoresModifiers(A, true));
  EXPECT_FALSE(judge.IgnoresModifiers(F5, true)) << "another key's release";
  // The verdict it stands for: the release goes through whatever is held.
  EXPECT_EQ(judge.Judge({A, true, true, false, true}), KeyVerdict::Pass);
  EXPECT_FALSE(judge.IgnoresModifiers(A, true)) << "the press was completed";
  // A swallowed press leaves its release to the rules, which look at the modifiers.
  EXPECT_EQ(judge.Judge({F5, false, true, false, false}), KeyVerdict::Swallow);
  EXPECT_FALSE(judge.IgnoresModifiers(F5, true));
  EXPECT_EQ(judge.Judge({LeftWin, false, false, false, false}), KeyVerdict::Swallow);
  EXPECT_FALSE(judge.IgnoresModifiers(LeftWin, true));
  EXPECT_FALSE(judge.IgnoresModifiers(0x1FF, true)) << "a code outside the key range";
}

using H = HookHealth;
constexpr std::uint32_t Grace = HookWatchdog::GraceMs;
enum Kind { Raw, Recheck, NewHook };

// One look at a time `at`: a raw key stamped `key`, with the stamp of the hook's latest sighting then.
struct Look {
  Kind kind;
  std::uint32_t at, key, seen;
  H expected = H::Alive;
};

TEST(HookWatchdog, AHookIsLostOnlyWhenItSeesNoKeyAsLateAsARawOneForTheGraceWindow) {
  const std::vector<std::pair<const char*, std::vector<Look>>> cases = {
      {"the hook runs first, and sees made-up and swallowed keys besides", {{Raw, 10, 10, 10}, {Recheck, 500, 0, 30}}},
      {"raw input comes first", {{Raw, 10, 10, 5, H::Waiting}, {Recheck, 10 + Grace, 0, 10}}},
      {"raw keys read late, several at once", {{Raw, 200, 10, 11}, {Raw, 200, 11, 11}}},
      {"the hook saw nothing, whatever raw keys came later; lost once, asked again only after a raw key",
       {{Raw, 10, 10, 5, H::Waiting}, {Raw, Grace, Grace, 5, H::Waiting}, {Recheck, 9 + Grace, 0, 5, H::Waiting},
        {Recheck, 10 + Grace, 0, 5, H::Lost}, {Recheck, 10 + 2 * Grace, 0, 5}}},
      {"the tick count wraps", {{NewHook, 0xFFFFFE00u, 0, 0}, {Raw, 0xFFFFFF00u, 0xFFFFFF00u, 0xFFFFFE80u, H::Waiting},
                                {Recheck, 0x100u, 0, 0xFFFFFE80u, H::Lost}}},
      {"keys from before a new hook are not held against it",
       {{NewHook, 1000, 0, 0}, {Raw, 1010, 990, 500}, {Raw, 1010, 1005, 500, H::Waiting},
        {Recheck, 1010 + Grace, 0, 500, H::Lost}}},
  };
  for (const auto& [what, looks] : cases) {
    HookWatchdog watchdog;
    for (const Look& look : looks) {
      if (look.kind == NewHook) {
        watchdog.HookReplaced(look.at);
        continue;
      }
      const H got = look.kind == Raw ? watchdog.RawKeyArrived(look.key, look.at, look.seen)
                                     : watchdog.Recheck(look.at, look.seen);
      EXPECT_EQ(got, look.expected) << what << ", at " << look.at;
    }
  }
}

}  // namespace
