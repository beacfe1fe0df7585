#include "core/SoundPlayer.h"

#include "core/MediaPath.h"
#include "core/SoundThread.h"

void StartSound(const media::Sound& sound, SoundGates gates) {
  if (!media::GateOpen(sound.gate, gates.keySounds, gates.otherSounds)) return;
  TheSoundThread().Play(WideMediaName(sound.path), static_cast<DWORD>(sound.mode));
}

void StopSound() { TheSoundThread().Stop(); }
