#include "clock/LocalTime.h"

#include <chrono>

LocalTime LocalTimeFromSeconds(std::int64_t localSeconds) {
  using namespace std::chrono;
  const sys_seconds instant{seconds{localSeconds}};
  const sys_days date = floor<days>(instant);
  const year_month_day calendar{date};
  const hh_mm_ss<seconds> clock{instant - date};

  LocalTime time;
  time.year = static_cast<int>(calendar.year());
  time.month = static_cast<int>(static_cast<unsigned>(calendar.month()));
  time.day = static_cast<int>(static_cast<unsigned>(calendar.day()));
  time.weekday = static_cast<int>(weekday{date}.c_encoding());
  time.hour = static_cast<int>(clock.hours().count());
  time.minute = static_cast<int>(clock.minutes().count());
  time.second = static_cast<int>(clock.seconds().count());
  return time;
}
