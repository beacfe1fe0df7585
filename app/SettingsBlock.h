#pragma once
#include <cstdint>

// The program's record of the options as the options library delivers them: -1 for a key missing
// from the file, otherwise the key's integer, not folded to 0 or 1; all zero when the library
// cannot be used. Each reader applies its own test.
struct SettingsBlock {
  char path[256];
  std::int32_t noscreenserver;
  std::int32_t keywav;
  std::int32_t otherwav;
  std::int32_t time;
  std::int32_t endaltf4;
};

// The program-wide instance read by the play surface and the effects.
SettingsBlock& ProgramSettings();
