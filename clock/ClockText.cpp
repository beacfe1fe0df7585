#include "clock/ClockText.h"

#include <array>
#include <cstdio>

namespace {

// Sunday first.
constexpr std::array<const char*, 7> WeekdayCharacters = {"日", "月", "火", "水", "木", "金", "土"};

}  // namespace

std::string ClockText(const LocalTime& time) {
  const char* weekday = time.weekday >= 0 && time.weekday < 7 ? WeekdayCharacters[time.weekday] : "";
  char text[64];
  std::snprintf(text, sizeof text, "%d/%02d/%02d(%s) %02d:%02d:%02d", time.year, time.month, time.day, weekday,
                time.hour, time.minute, time.second);
  return text;
}
