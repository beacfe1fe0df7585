#pragma once
#include "surface/MediaTable.h"

// Starts a sound in its mode when its option allows it (read from the program-wide settings at
// each call); a missing file plays nothing. Both calls only queue the request for the sound thread.
void StartSound(const media::Sound& sound);

// Stops whatever sound is playing, whatever the options.
void StopSound();
