#include "surface/SoundPlayer.h"

#include <windows.h>
#include <mmsystem.h>

#include "app/SettingsBlock.h"
#include "surface/MediaPath.h"

void StartSound(const media::Sound& sound) {
  const SettingsBlock& settings = ProgramSettings();
  if (!media::GateOpen(sound.gate, settings.keywav, settings.otherwav)) return;
  ::PlaySoundW(WideMediaName(sound.path).c_str(), nullptr, static_cast<DWORD>(sound.mode));
}

void StopSound() { ::PlaySoundW(nullptr, nullptr, 0); }
