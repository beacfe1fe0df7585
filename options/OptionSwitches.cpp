#include "options/OptionSwitches.h"

namespace option_switches {

bool IsOn(OptionKey key, int storedValue) {
  return key == OptionKey::Time ? storedValue == 1 : storedValue != 0;
}

}  // namespace option_switches
