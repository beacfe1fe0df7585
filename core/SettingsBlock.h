#pragma once
#include <cstdint>

// The program's record of the options as the options library delivers them: -1 for a key missing
// from the file, otherwise the key's integer, not folded to 0 or 1; all zero when the library
// cannot be used. Each reader applies its own test.
//
// The program keeps two: the frame's own, and the program-wide one (ProgramSettings) that the play
// surface reads for its sounds. Both are read at start and again on WMU_SETTINGS_CHANGED, each by
// its holder. An effect takes `otherwav` from the program-wide record once, as it starts.
struct SettingsBlock {
  char path[256];
  std::int32_t noscreenserver;
  std::int32_t keywav;
  std::int32_t otherwav;
  std::int32_t time;
  std::int32_t endaltf4;
};

// The program-wide instance.
SettingsBlock& ProgramSettings();

// Fills `block` through the options library's "ininfo": 0 on success, -1 (block all zero) when the
// library or the export is missing. Shows nothing.
int LoadSettings(SettingsBlock& block);
