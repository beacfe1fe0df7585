#pragma once
#include <string>

#include "clock/LocalTime.h"

// What the clock shows, as UTF-8: the date with the weekday's character, one space, the time on
// the 24-hour clock, e.g. "2004/03/02(火) 15:04:05".
std::string ClockText(const LocalTime& time);
