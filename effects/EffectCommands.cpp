#include "effects/Effects.h"

EffectRoutine EffectForCommand(unsigned commandId) {
  for (const EffectCommand& command : EffectCommands) {
    if (command.commandId == commandId) return command.routine;
  }
  return nullptr;
}

bool DrawingAreaIsEmpty(const Rect& area) { return area.Width() <= 0 || area.Height() <= 0; }
