#include "app/SettingsBlock.h"

SettingsBlock& ProgramSettings() {
  static SettingsBlock settings{};
  return settings;
}
