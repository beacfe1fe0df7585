#pragma once
#include <cstdint>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/CRandomPicker.h"
#include "core/Canvas.h"
#include "core/ColorTables.h"

// An independent model of the toy's generator, kept in 64-bit arithmetic and masked by hand so a
// slip in the product's 32-bit wrap-around shows up as a difference.
class ReferenceLcg {
 public:
  explicit ReferenceLcg(std::uint64_t seed) : state_(seed & 0xFFFFFFFFull) {}
  int Next() {
    state_ = (state_ * 214013ull + 2531011ull) % 4294967296ull;
    return static_cast<int>((state_ / 65536ull) % 32768ull);
  }

 private:
  std::uint64_t state_;
};

// The index 0-9 that a clock reading picks: the first draw after seeding with it, mod 10.
inline int ReferenceIndex(std::uint32_t seed) { return ReferenceLcg(seed).Next() % 10; }

// The first clock reading at or after `from` that picks `index`.
inline std::uint32_t ReadingForIndex(int index, std::uint32_t from = 1'700'000'000u) {
  std::uint32_t reading = from;
  while (ReferenceIndex(reading) != index) ++reading;
  return reading;
}

// A clock the test sets by hand. It logs what the pickers ask of it and can move to another
// second when a picker yields its time slice.
class ManualClock final : public PickerClock {
 public:
  std::int64_t second = 0;
  std::uint32_t tick = 0;
  std::optional<std::int64_t> secondAfterYield;
  std::vector<std::string> log;

  std::int64_t CalendarSeconds() override {
    log.emplace_back("seconds");
    return second;
  }
  std::uint32_t TickMilliseconds() override {
    log.emplace_back("tick");
    return tick;
  }
  void YieldTimeSlice() override {
    log.emplace_back("yield");
    if (secondAfterYield) second = *secondAfterYield;
  }
};

// Installs a manual clock for the test and puts the standard clock back afterwards, so no other
// test sees a pinned second.
class ManualClockTest : public ::testing::Test {
 protected:
  void SetUp() override { CRandomPicker::UseClock(&clock); }
  void TearDown() override { CRandomPicker::UseClock(nullptr); }

  // Pins the second and the tick to readings that pick the given indices.
  void PinIndices(int bySecond, int byTick) {
    clock.second = ReadingForIndex(bySecond);
    clock.tick = ReadingForIndex(byTick, 5'000'000u);
  }

  ManualClock clock;
};

inline std::string DescribeColor(ColorRef c) {
  std::ostringstream out;
  out << "(" << RedOf(c) << "," << GreenOf(c) << "," << BlueOf(c) << ")";
  return out.str();
}

inline void PrintTo(const Rect& r, std::ostream* os) {
  *os << "{" << r.left << "," << r.top << "," << r.right << "," << r.bottom << "}";
}
