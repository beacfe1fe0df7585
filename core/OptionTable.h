#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/SettingsBlock.h"
#include "resources/resource.h"

// The five options, one row each: the key in section "CONFIG" of the options file, the options
// dialog's check box, how a stored value reads as on, and where the value goes: its position
// among the values that "ininfo" delivers, which is the field of the settings record.
inline constexpr std::string_view OptionSection = "CONFIG";

enum class OnRule {
  NotZero,     // anything but 0, a missing key's -1 included
  ExactlyOne,  // 1 and nothing else
};

struct OptionRow {
  std::string_view key;
  int checkBoxId;
  OnRule onRule;
  std::size_t position;
  std::int32_t SettingsBlock::*field;
};

inline constexpr std::size_t OptionCount = 5;

// In the order the options dialog writes them.
inline constexpr std::array<OptionRow, OptionCount> Options = {{
    {"keywav", IDC_KEYWAV, OnRule::NotZero, 1, &SettingsBlock::keywav},
    {"otherwav", IDC_OTHERWAV, OnRule::NotZero, 2, &SettingsBlock::otherwav},
    {"time", IDC_TIME, OnRule::ExactlyOne, 3, &SettingsBlock::time},
    {"noscreenserver", IDC_NOSCREENSERVER, OnRule::NotZero, 0, &SettingsBlock::noscreenserver},
    {"endaltf4", IDC_ENDALTF4, OnRule::NotZero, 4, &SettingsBlock::endaltf4},
}};

// Whether a value read from the file (-1 when missing) switches the option on.
constexpr bool IsOn(const OptionRow& option, int storedValue) {
  return option.onRule == OnRule::ExactlyOne ? storedValue == 1 : storedValue != 0;
}

// The value the options dialog stores for a box: 1 on, 0 off.
constexpr int StoredValue(bool on) { return on ? 1 : 0; }
