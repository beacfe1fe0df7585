#pragma once
#include <windows.h>

#include <string>

// The one thread that talks to the audio stack. The interface thread and the effect threads only
// queue their requests and go on drawing: a sound that is slow to open never holds up a picture.
// Requests run in the order they were made, with the files and flags given, so a sound that must
// not cut into a playing one still finds it playing, and a stop stops what was started before it.
namespace sound_thread {

// Plays `path` with the PlaySound flags `flags`.
void Play(std::wstring path, DWORD flags);
// Stops whatever plays.
void Stop();
// Stops the sound and ends the thread, waiting a short while for it; later requests are dropped.
void End();

}  // namespace sound_thread
