#pragma once
#include <cstdint>

// The toy's own pseudo-random generator: a linear congruential generator whose state belongs to the
// calling thread, so the interface thread and every effect thread seed and draw independently.
// A thread that never seeds starts from state 1.
namespace random_generator {

void Seed(std::uint32_t seed) noexcept;

// One draw: state = state * 214013 + 2531011 (mod 2^32); returns bits 16 to 30, 0 to 32767.
int Draw() noexcept;

}  // namespace random_generator
