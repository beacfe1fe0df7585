#pragma once
#include <string>

#include "clock/LocalTime.h"

// What the clock shows, as UTF-8: the date with the weekday's character, one space, the time on
// the 24-hour clock, e.g. "2004/03/02(火) 15:04:05".
std::string ClockText(const LocalTime& time);

// The character height of the face's font: the inner area's height, unless the text drawn at that
// height (`textWidthAtFullHeight` pixels wide) would not fit the inner width; then as much smaller
// as it takes to fit, so that no digit of the date or the time is cut off.
constexpr int FaceFontHeight(int innerHeight, int innerWidth, int textWidthAtFullHeight) {
  if (textWidthAtFullHeight <= innerWidth || textWidthAtFullHeight <= 0) return innerHeight;
  return innerHeight * innerWidth / textWidthAtFullHeight;
}
