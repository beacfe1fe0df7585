#pragma once

// The toy's private window messages (WM_USER + 4000 to 4005).
constexpr unsigned WMU_SETTINGS_CHANGED = 5024;
constexpr unsigned WMU_SHOW_EFFECTS_MENU = 5025;
constexpr unsigned WMU_HATCH_FILL = 5026;
constexpr unsigned WMU_MOSAIC_FILL = 5027;
constexpr unsigned WMU_GRADIENT_FILL = 5028;
constexpr unsigned WMU_SOUND_CUE = 5029;
// The frame's own: take the foreground back from the desktop.
constexpr unsigned WMU_RECLAIM_FOREGROUND = 5030;

// The middle button's timer: a quick click gives the hatch, a held one the mosaic.
constexpr unsigned MiddleButtonTimerId = 30;
constexpr unsigned MiddleButtonTimerMs = 500;
