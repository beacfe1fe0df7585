#pragma once
#include <cstdint>

// The two ways out that the frame watches for on every key press: Shift+Esc opens the grown-up
// menu (and the Esc still reaches the play surface), Alt+F4 closes the toy unless the options
// forbid it (`endaltf4` 0; any other value, a missing key's -1 included, allows it).
enum class GrownUpKey { None, OpenMenu, SwallowAltF4 };

GrownUpKey ClassifyGrownUpKey(unsigned virtualKey, bool shiftHeld, bool altHeld, std::int32_t endaltf4);
