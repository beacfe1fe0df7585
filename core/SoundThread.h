#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/Handles.h"
#include "framework/Worker.h"

// The one thread that talks to the audio stack. The interface thread and the effect threads only
// queue their requests and go on drawing: a sound that is slow to open never holds up a picture.
// Requests run in the order they were made, with the files and flags given, so a sound that must
// not cut into a playing one still finds it playing, and a stop stops what was started before it.
// Requests made before the thread is started wait for it, in order.
class SoundThread {
 public:
  // How long the first request waits for the new thread's queue before it is given up.
  static constexpr DWORD DefaultStartTimeoutMs = 2000;

  explicit SoundThread(DWORD startTimeoutMs = DefaultStartTimeoutMs) : startTimeoutMs_(startTimeoutMs) {}
  SoundThread(const SoundThread&) = delete;
  SoundThread& operator=(const SoundThread&) = delete;
  ~SoundThread() { End(); }

  // Starts the thread, which loads the audio stack itself, and hands it the requests made so far.
  // The program does this once its first frame is on the screen.
  void Start();
  // Plays `path` with the PlaySound flags `flags`.
  void Play(std::wstring path, DWORD flags);
  // Stops whatever plays.
  void Stop();
  // Stops the sound and ends the thread, waiting a short while for it; later requests are dropped.
  void End();

 private:
  struct Request;
  bool Post(Request* request);
  void StartThread();
  static void Run(HANDLE ready);

  DWORD startTimeoutMs_;
  // Set by the thread once its queue exists. Shared with the thread, which may signal it after a
  // start that gave up waiting: the handle must still be the thread's then, not a number that
  // names some other object by now.
  std::shared_ptr<OwnedKernelHandle> ready_;
  SRWLOCK lock_ = SRWLOCK_INIT;
  bool ended_ = false;
  std::vector<Request*> waiting_;  // owned until posted
  WorkerThread thread_;
};

// The program's sound thread.
SoundThread& TheSoundThread();
