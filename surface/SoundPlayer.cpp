#include "surface/SoundPlayer.h"

#include "app/SettingsBlock.h"
#include "surface/MediaPath.h"
#include "surface/SoundThread.h"

void StartSound(const media::Sound& sound) {
  const SettingsBlock& settings = ProgramSettings();
  if (!media::GateOpen(sound.gate, settings.keywav, settings.otherwav)) return;
  sound_thread::Play(WideMediaName(sound.path), static_cast<DWORD>(sound.mode));
}

void StopSound() { sound_thread::Stop(); }
