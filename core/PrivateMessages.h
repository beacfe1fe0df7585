#pragma once

// The toy's private window messages (WM_USER + 4000 to 4005).
constexpr unsigned WMU_SETTINGS_CHANGED = 5024;  // the options were confirmed: each copy re-reads them
constexpr unsigned WMU_SHOW_EFFECTS_MENU = 5025;
constexpr unsigned WMU_HATCH_FILL = 5026;
constexpr unsigned WMU_MOSAIC_FILL = 5027;
constexpr unsigned WMU_GRADIENT_FILL = 5028;
constexpr unsigned WMU_SOUND_CUE = 5029;  // first parameter: a media::SoundCue
