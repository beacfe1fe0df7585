#include "app/KeyLockRules.h"

#include <algorithm>

#include "core/VirtualKeys.h"

namespace {

enum Modifiers : unsigned { NoModifier = 0, Ctrl = 1, Shift = 2, Alt = 4 };

enum class KeyGroup {
  Escape,
  Tab,
  HankakuZenkaku,
  MaskKeys,
  TapKeys,
  ShellCommandKeys,
  InputMethodKeys,
  AnyButDelete,
  FunctionKeysButF4,
  FunctionKeys,
};

// When a swallowed key gets a Space in its place.
enum class Tap { Never, OnRelease, Always };

struct Rule {
  unsigned held;  // every modifier named here must be held
  KeyGroup keys;
  Tap tap;
};

constexpr Rule LowLevelRules[] = {
    {Ctrl, KeyGroup::Escape, Tap::Never},
    {Alt, KeyGroup::Tab, Tap::Never},
    {Alt, KeyGroup::Escape, Tap::Never},
    {NoModifier, KeyGroup::HankakuZenkaku, Tap::Never},
    {NoModifier, KeyGroup::MaskKeys, Tap::OnRelease},
    {NoModifier, KeyGroup::TapKeys, Tap::Always},
    {NoModifier, KeyGroup::ShellCommandKeys, Tap::Always},
    {NoModifier, KeyGroup::InputMethodKeys, Tap::Never},
    {Alt | Ctrl, KeyGroup::AnyButDelete, Tap::Never},
    {Alt, KeyGroup::FunctionKeysButF4, Tap::Never},
    {Ctrl, KeyGroup::FunctionKeys, Tap::Never},
    {Shift, KeyGroup::FunctionKeys, Tap::Never},
};

constexpr Rule LegacyRules[] = {
    {NoModifier, KeyGroup::HankakuZenkaku, Tap::Never},
    {NoModifier, KeyGroup::MaskKeys, Tap::OnRelease},
    {NoModifier, KeyGroup::TapKeys, Tap::Always},
    {NoModifier, KeyGroup::ShellCommandKeys, Tap::Always},
    {NoModifier, KeyGroup::InputMethodKeys, Tap::Never},
};

template <std::size_t N>
bool Contains(const std::array<unsigned, N>& keys, unsigned key) {
  return std::ranges::find(keys, key) != keys.end();
}

bool InGroup(KeyGroup group, unsigned key) {
  switch (group) {
    case KeyGroup::Escape: return key == vk::Escape;
    case KeyGroup::Tab: return key == vk::Tab;
    case KeyGroup::HankakuZenkaku: return Contains(HankakuZenkakuKeys, key);
    case KeyGroup::MaskKeys: return Contains(SwallowAndMaskKeys, key);
    case KeyGroup::TapKeys: return Contains(SwallowAndTapKeys, key);
    case KeyGroup::ShellCommandKeys: return Contains(ShellCommandKeys, key);
    case KeyGroup::InputMethodKeys: return Contains(InputMethodKeys, key);
    case KeyGroup::AnyButDelete: return key != 0 && key != vk::Delete;
    case KeyGroup::FunctionKeysButF4: return key >= vk::F1 && key <= vk::F24 && key != vk::Function(4);
    case KeyGroup::FunctionKeys: return key >= vk::F1 && key <= vk::F24;
  }
  return false;
}

unsigned HeldModifiers(const KeyEvent& event) {
  return (event.ctrlHeld ? Ctrl : 0u) | (event.shiftHeld ? Shift : 0u) | (event.altHeld ? Alt : 0u);
}

KeyVerdict Judge(std::span<const Rule> rules, const KeyEvent& event) {
  const unsigned held = HeldModifiers(event);
  for (const Rule& rule : rules) {
    if ((held & rule.held) != rule.held || !InGroup(rule.keys, event.virtualKey)) continue;
    const bool tap = rule.tap == Tap::Always || (rule.tap == Tap::OnRelease && event.isRelease);
    return tap ? KeyVerdict::SwallowAndTapSpace : KeyVerdict::Swallow;
  }
  return KeyVerdict::Pass;
}

}  // namespace

KeyVerdict JudgeLowLevelKey(const KeyEvent& event) { return Judge(LowLevelRules, event); }

KeyVerdict JudgeLegacyKey(const KeyEvent& event) { return Judge(LegacyRules, event); }

bool LowLevelKeyJudge::IgnoresModifiers(unsigned virtualKey, bool isRelease) const {
  return isRelease && virtualKey < passedPresses_.size() && passedPresses_.test(virtualKey);
}

KeyVerdict LowLevelKeyJudge::Judge(const KeyEvent& event) {
  const bool tracked = event.virtualKey < passedPresses_.size();
  if (tracked && event.isRelease && passedPresses_.test(event.virtualKey)) {
    passedPresses_.reset(event.virtualKey);
    return KeyVerdict::Pass;
  }
  const KeyVerdict verdict = JudgeLowLevelKey(event);
  if (tracked && !event.isRelease && verdict == KeyVerdict::Pass) passedPresses_.set(event.virtualKey);
  return verdict;
}
