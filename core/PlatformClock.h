#pragma once
#include "core/CRandomPicker.h"

// The platform's clocks for the random picks: calendar seconds, the tick count in milliseconds,
// and giving up the rest of the time slice.
class PlatformClock final : public PickerClock {
 public:
  std::int64_t CalendarSeconds() override;
  std::uint32_t TickMilliseconds() override;
  void YieldTimeSlice() override;
};
