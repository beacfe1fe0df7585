#include <chrono>
#include <cstdint>
#include <string>

#include <gtest/gtest.h>

#include "clock/ClockColors.h"
#include "clock/ClockText.h"
#include "clock/LocalTime.h"

namespace {

using namespace std::chrono;

// Seconds since 1970-01-01 00:00:00 on the wall clock, for a date and a time of day.
std::int64_t WallSeconds(year_month_day date, int hour, int minute, int second) {
  return (sys_days{date}.time_since_epoch() + hours{hour} + minutes{minute} + seconds{second}) / seconds{1};
}

std::string TextAt(std::int64_t wallSeconds) { return ClockText(LocalTimeFromSeconds(wallSeconds)); }

TEST(ClockText, PadsMonthDayHourMinuteAndSecondWithZeros) {
  EXPECT_EQ(TextAt(WallSeconds(2005y / 1 / 1, 9, 5, 0)), "2005/01/01(土) 09:05:00");
  EXPECT_EQ(TextAt(WallSeconds(2004y / 3 / 2, 15, 4, 5)), "2004/03/02(火) 15:04:05");
}

TEST(ClockText, NamesEveryWeekdayFromSundayToSaturday) {
  // 7 March 2004 was a Sunday.
  const char* expected[] = {"(日)", "(月)", "(火)", "(水)", "(木)", "(金)", "(土)"};
  for (int offset = 0; offset < 7; ++offset) {
    const std::int64_t noon = WallSeconds(2004y / 3 / 7, 12, 0, 0) + offset * 86400;
    EXPECT_NE(TextAt(noon).find(expected[offset]), std::string::npos) << TextAt(noon);
  }
}

TEST(ClockText, MidnightShowsTheNextDaysDateAndWeekdayWithTheTime) {
  const std::int64_t lastSecondOfYear = WallSeconds(2004y / 12 / 31, 23, 59, 59);
  EXPECT_EQ(TextAt(lastSecondOfYear), "2004/12/31(金) 23:59:59");
  EXPECT_EQ(TextAt(lastSecondOfYear + 1), "2005/01/01(土) 00:00:00");

  const std::int64_t beforeLeapDay = WallSeconds(2004y / 2 / 28, 23, 59, 59);
  EXPECT_EQ(TextAt(beforeLeapDay + 1), "2004/02/29(日) 00:00:00");
  EXPECT_EQ(TextAt(beforeLeapDay + 86401), "2004/03/01(月) 00:00:00");
}

TEST(ClockColors, GreenForThreeIndicesYellowForThreeWhiteAndPinkForTwoEach) {
  constexpr ColorRef green = MakeColor(0, 255, 0), yellow = MakeColor(255, 255, 0),
                     white = MakeColor(255, 255, 255), pink = MakeColor(255, 128, 255);
  const ColorRef byIndex[] = {green, green, green, yellow, yellow, yellow, white, white, pink, pink};
  for (int index = 0; index < 10; ++index) EXPECT_EQ(ClockTextColor(index), byIndex[index]) << "index " << index;
}

}  // namespace

TEST(ClockFace, FontFillsTheHeightUnlessTheTextWouldBeCutOff) {
  EXPECT_EQ(28, FaceFontHeight(28, 270, 250));
  EXPECT_EQ(28, FaceFontHeight(28, 270, 270));
  EXPECT_EQ(25, FaceFontHeight(28, 270, 300));  // 28 * 270 / 300 = 25.2: the text fits at 25
  EXPECT_EQ(28, FaceFontHeight(28, 270, 0));
}
