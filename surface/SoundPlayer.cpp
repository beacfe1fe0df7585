#include "surface/SoundPlayer.h"

#include <windows.h>
#include <mmsystem.h>

#include "app/SettingsBlock.h"

void StartSound(const media::Sound& sound) {
  const SettingsBlock& settings = ProgramSettings();
  if (!media::GateOpen(sound.gate, settings.keywav, settings.otherwav)) return;
  ::PlaySoundA(sound.path, nullptr, static_cast<DWORD>(sound.mode));
}

void StopSound() { ::PlaySoundA(nullptr, nullptr, 0); }
