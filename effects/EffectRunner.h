#pragma once
#include <windows.h>

#include <atomic>
#include <memory>
#include <vector>

#include "core/MediaTable.h"
#include "core/SoundPlayer.h"
#include "effects/Effects.h"
#include "framework/Worker.h"

// Starts effects on threads of their own and keeps them, so that the toy can end them all
// before its window goes. What the child sees is unchanged: several effects may run at once, a
// stop request reaches every one of them, and starting an effect clears the requests.
class EffectRunner {
 public:
  EffectRunner() = default;
  EffectRunner(const EffectRunner&) = delete;
  EffectRunner& operator=(const EffectRunner&) = delete;
  ~EffectRunner() { EndAll(); }

  // Clears both stop requests and runs `routine` on a new thread, drawing on `surface`, with
  // `sound` as its own. The sound's gate is the program-wide settings as they are now: an effect
  // reads them once, as it starts. Nothing happens when no thread can be started.
  void Start(EffectRoutine routine, const media::Sound& sound, HWND surface);

  // Makes every running effect stop at its next step and waits for them, a bounded while.
  void EndAll();

  std::size_t Running();

 private:
  void ForgetFinished();

  // Shared with the threads, which may outlive a runner that could not wait for them.
  std::shared_ptr<std::atomic<bool>> ending_ = std::make_shared<std::atomic<bool>>(false);
  std::vector<std::unique_ptr<WorkerThread>> threads_;
};
