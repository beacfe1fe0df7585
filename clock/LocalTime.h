#pragma once
#include <cstdint>

// A wall-clock date and time to the second; weekday 0 is Sunday, 6 Saturday.
struct LocalTime {
  int year = 1970;
  int month = 1;
  int day = 1;
  int weekday = 4;
  int hour = 0;
  int minute = 0;
  int second = 0;
  bool operator==(const LocalTime&) const = default;
};

// The date, weekday and time `localSeconds` after 1970-01-01 00:00:00 on the local wall clock.
// Everything shown comes from this one count, so the date never lags behind the time at midnight.
LocalTime LocalTimeFromSeconds(std::int64_t localSeconds);
