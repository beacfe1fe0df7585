#include "core/RandomGenerator.h"

namespace random_generator {
namespace {
thread_local std::uint32_t state = 1;
}

void Seed(std::uint32_t seed) noexcept { state = seed; }

int Draw() noexcept {
  state = state * 214013u + 2531011u;
  return static_cast<int>((state >> 16) & 0x7FFFu);
}

}  // namespace random_generator
