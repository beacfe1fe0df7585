#include "app/GrownUpChords.h"

#include "core/VirtualKeys.h"

namespace {

struct Chord {
  unsigned modifier;  // the key class held first
  unsigned key;       // the key whose release completes the chord
  GrownUpVerdict verdict;
};

constexpr Chord Chords[] = {
    {vk::Shift, vk::Escape, GrownUpVerdict::OpenMenu},
    {vk::Menu, vk::Function(4), GrownUpVerdict::CloseToy},
};

}  // namespace

unsigned GenericKeyOf(unsigned key) {
  switch (key) {
    case 0xA0:
    case 0xA1:
      return vk::Shift;
    case 0xA2:
    case 0xA3:
      return vk::Control;
    case 0xA4:
    case 0xA5:
      return vk::Menu;
    default:
      return key;
  }
}

namespace {

// Every key of a class: the generic code and its left and right keys.
std::bitset<256> ClassKeys(unsigned kind) {
  std::bitset<256> keys;
  keys.set(kind);
  for (unsigned side = 0xA0; side <= 0xA5; ++side) {
    if (GenericKeyOf(side) == kind) keys.set(side);
  }
  return keys;
}

}  // namespace

GrownUpVerdict GrownUpChordJudge::Press(unsigned virtualKey, std::uint32_t timeMs) {
  const unsigned key = virtualKey & 0xFF;
  const std::uint32_t sinceLastEvent = timeMs - lastEventAt_[key];
  lastEventAt_[key] = timeMs;
  if (down_[key]) {
    if (sinceLastEvent <= RepeatGapMs) return GrownUpVerdict::Nothing;  // a repeat of a held key
    down_.reset(key);
    excused_.reset(key);
  }
  const unsigned kind = GenericKeyOf(key);
  if (kind == vk::Shift || kind == vk::Control || kind == vk::Menu) ForgetLostReleases(kind, key);
  const bool classWasDown = (down_ & ClassKeys(kind)).any();
  down_.set(key);
  if (menuOpen_) return PressInMenu(key);

  if (armed_ >= 0 && kind != Chords[armed_].modifier) armed_ = -1;
  for (std::size_t i = 0; i < chords_.size(); ++i) {
    const Chord& chord = Chords[i];
    ChordState& state = chords_[i];
    if (kind == chord.modifier) {
      if (!classWasDown) {
        state = {true, timeMs, down_ & ~ClassKeys(kind)};
      } else {
        state.clean = false;  // both Shifts (or both Alts) down
      }
      continue;
    }
    if (key == chord.key && state.clean && timeMs - state.modifierDownAt >= ModifierLeadMs &&
        OnlyHeld(chord.modifier, key)) {
      armed_ = static_cast<int>(i);
      armedModifiers_ = down_ & ClassKeys(chord.modifier);
      armedAt_ = timeMs;
    }
    state.clean = false;
  }
  return GrownUpVerdict::Nothing;
}

GrownUpVerdict GrownUpChordJudge::Release(unsigned virtualKey, std::uint32_t timeMs) {
  const unsigned key = virtualKey & 0xFF;
  lastEventAt_[key] = timeMs;
  down_.reset(key);
  excused_.reset(key);
  // A key that was down when a modifier went down and is let go now was really down then.
  for (ChordState& state : chords_) state.clean = state.clean && !state.othersDown[key];
  if (menuOpen_) {
    if (key != lone_) return GrownUpVerdict::Nothing;
    lone_ = 0;
    return GrownUpVerdict::Choose;
  }
  if (armed_ < 0 || key != Chords[armed_].key) return GrownUpVerdict::Nothing;
  const GrownUpVerdict verdict = Chords[armed_].verdict;
  armed_ = -1;
  if (!ArmedModifierReal()) return GrownUpVerdict::Nothing;
  if (verdict == GrownUpVerdict::OpenMenu) {
    menuOpen_ = true;
    excused_ = down_;
    lone_ = 0;
  }
  return verdict;
}

void GrownUpChordJudge::MenuClosed() {
  menuOpen_ = false;
  excused_.reset();
  lone_ = 0;
  for (ChordState& state : chords_) state.clean = false;
}

GrownUpVerdict GrownUpChordJudge::PressInMenu(unsigned key) {
  // Esc closes the menu on its own; a key pressed with another closes it without a choice.
  if (key == vk::Escape || OthersHeld(key)) {
    MenuClosed();
    return GrownUpVerdict::CloseMenu;
  }
  lone_ = key;
  return GrownUpVerdict::Nothing;
}

// True when the modifier is held and every other key down but `except` is of the modifier's class.
// The modifier counts as held from the press the judge saw: only the keys that would stop the
// chord are checked with the system here, as its own record may lag (a focus change may have it
// reread the keyboard); the modifier is checked when the chord's key comes up.
bool GrownUpChordJudge::OnlyHeld(unsigned modifier, unsigned except) {
  bool modifierHeld = false;
  for (unsigned k = 0; k < down_.size(); ++k) {
    if (!down_[k] || k == except) continue;
    if (GenericKeyOf(k) == modifier) {
      modifierHeld = true;
    } else if (stillHeld_ == nullptr || stillHeld_(k)) {
      return false;
    } else {
      down_.reset(k);
    }
  }
  return modifierHeld;
}

// The keys of a modifier's class but `except` that the judge counts down and the system has up: their
// releases were lost. The key going down now is not in the system's record yet.
void GrownUpChordJudge::ForgetLostReleases(unsigned kind, unsigned except) {
  if (stillHeld_ == nullptr) return;
  const std::bitset<256> counted = down_ & ClassKeys(kind);
  for (unsigned k = 0; k < counted.size(); ++k) {
    if (counted[k] && k != except && !stillHeld_(k)) down_.reset(k);
  }
}

// The modifier counted at the chord key's press was real if it has come up since, as the judge saw,
// or had an event (its press, a repeat) shortly before that press, or the system has it held at the
// key's release. Only a modifier quiet for longer than a held key ever is asks the system: its record
// may still lag right after a focus change (a grown-up's dialog closing), when the chord is fresh.
bool GrownUpChordJudge::ArmedModifierReal() {
  bool real = false;
  for (unsigned k = 0; k < armedModifiers_.size(); ++k) {
    if (!armedModifiers_[k]) continue;
    if (!down_[k] || armedAt_ - lastEventAt_[k] <= RepeatGapMs || stillHeld_ == nullptr || stillHeld_(k)) {
      real = true;
    } else {
      down_.reset(k);
    }
  }
  armedModifiers_.reset();
  return real;
}

// True when a key other than `except` and those held since before the menu opened is down.
bool GrownUpChordJudge::OthersHeld(unsigned except) {
  for (unsigned k = 0; k < down_.size(); ++k) {
    if (!down_[k] || k == except || excused_[k]) continue;
    if (stillHeld_ != nullptr && !stillHeld_(k)) {
      down_.reset(k);
      continue;
    }
    return true;
  }
  return false;
}
