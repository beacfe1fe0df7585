#pragma once
#include <array>

#include "options/OptionKeys.h"

// The options dialog's check boxes: one per key, and how a stored value reads as on or off.
namespace option_switches {

struct Switch {
  int checkBoxId;
  OptionKey key;
};

// In the order the dialog writes them when it is confirmed.
inline constexpr std::array<Switch, 5> Switches = {{
    {1000, OptionKey::KeyWav},
    {1001, OptionKey::OtherWav},
    {1002, OptionKey::Time},
    {1003, OptionKey::NoScreenServer},
    {1004, OptionKey::EndAltF4},
}};

// Whether a value read from the file (-1 when missing) switches the key on: the clock only for
// exactly 1, every other key for anything but 0.
bool IsOn(OptionKey key, int storedValue);

// The value the dialog stores for a box: 1 on, 0 off.
constexpr int StoredValue(bool on) { return on ? 1 : 0; }

}  // namespace option_switches
