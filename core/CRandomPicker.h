#pragma once
#include <cstdint>

#include "core/ColorTables.h"

// The clocks behind the picks. The product installs the platform's (calendar seconds, tick count,
// yielding the time slice); tests install their own to pin a second or a tick.
class PickerClock {
 public:
  virtual ~PickerClock() = default;
  virtual std::int64_t CalendarSeconds() = 0;
  virtual std::uint32_t TickMilliseconds() = 0;
  virtual void YieldTimeSlice() = 0;
};

// Random indices 0 to 9 reseeded from a clock on every call, and the three colour tables.
// Picks made within one second (or one tick) repeat: that is how a drag trail keeps one picture
// for a second and a hatch style comes with its own colour.
class CRandomPicker {
 public:
  virtual ~CRandomPicker() = default;

  int IndexBySecond() const;
  int IndexByTick() const;
  ColorRef FillColor() const;
  ColorRef PastelColor() const;
  ColorRef VividColor() const;

  // Replaces the clock for every picker on every thread; nullptr restores the built-in one.
  static void UseClock(PickerClock* clock) noexcept;
};
