#include "core/CRandomPicker.h"

#include <atomic>
#include <chrono>
#include <ctime>

#include "core/RandomGenerator.h"

namespace {

class StandardClock final : public PickerClock {
 public:
  std::int64_t CalendarSeconds() override { return static_cast<std::int64_t>(std::time(nullptr)); }
  std::uint32_t TickMilliseconds() override {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
  }
  // Only the platform's clock has a time slice to give up.
  void YieldTimeSlice() override {}
};

StandardClock standardClock;
std::atomic<PickerClock*> activeClock{&standardClock};

int DrawIndex(std::uint32_t seed) {
  random_generator::Seed(seed);
  return random_generator::Draw() % 10;
}

}  // namespace

void CRandomPicker::UseClock(PickerClock* clock) noexcept {
  activeClock.store(clock != nullptr ? clock : &standardClock);
}

int CRandomPicker::IndexBySecond() const {
  return DrawIndex(static_cast<std::uint32_t>(activeClock.load()->CalendarSeconds()));
}

int CRandomPicker::IndexByTick() const { return DrawIndex(activeClock.load()->TickMilliseconds()); }

ColorRef CRandomPicker::FillColor() const { return FillColors[static_cast<std::size_t>(IndexByTick())]; }

ColorRef CRandomPicker::PastelColor() const {
  activeClock.load()->YieldTimeSlice();
  return PastelColors[static_cast<std::size_t>(IndexBySecond())];
}

ColorRef CRandomPicker::VividColor() const {
  return VividColors[static_cast<std::size_t>(IndexBySecond())];
}
