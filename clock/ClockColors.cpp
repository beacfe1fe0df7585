#include "clock/ClockColors.h"

namespace {

constexpr ColorTable ClockTextColors = {
    MakeColor(0, 255, 0),     MakeColor(0, 255, 0),     MakeColor(0, 255, 0),
    MakeColor(255, 255, 0),   MakeColor(255, 255, 0),   MakeColor(255, 255, 0),
    MakeColor(255, 255, 255), MakeColor(255, 255, 255),
    MakeColor(255, 128, 255), MakeColor(255, 128, 255),
};

}  // namespace

ColorRef ClockTextColor(int index) {
  return index >= 0 && index < static_cast<int>(ClockTextColors.size()) ? ClockTextColors[static_cast<std::size_t>(index)]
                                                                         : ClockTextColors[0];
}
