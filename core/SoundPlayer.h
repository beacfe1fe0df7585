#pragma once
#include <cstdint>

#include "core/MediaTable.h"
#include "core/SettingsBlock.h"

// The two options that gate the sounds, as read at one moment.
struct SoundGates {
  std::int32_t keySounds;
  std::int32_t otherSounds;
};
inline SoundGates GatesOf(const SettingsBlock& settings) { return {settings.keywav, settings.otherwav}; }

// Starts a media sound in its mode when its gate is open; a missing file plays nothing. This is
// the one way the toy starts a sound. Like StopSound it only queues the request for the sound
// thread, so the caller goes on drawing at once.
void StartSound(const media::Sound& sound, SoundGates gates);

// The same, gated by the program-wide settings as they are now.
inline void StartSound(const media::Sound& sound) { StartSound(sound, GatesOf(ProgramSettings())); }

// Stops whatever sound is playing, whatever the options.
void StopSound();
