#include "core/SettingsBlock.h"

SettingsBlock& ProgramSettings() {
  static SettingsBlock settings{};
  return settings;
}
