#pragma once
#include "core/ColorTables.h"

// The clock's text colour for a random index 0 to 9: green is the likeliest, then yellow, then
// white and pink.
ColorRef ClockTextColor(int index);
