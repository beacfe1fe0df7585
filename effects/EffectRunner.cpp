#include "effects/EffectRunner.h"

#include <mmsystem.h>

#include <ctime>

#include "effects/EffectControl.h"
#include "surface/GdiCanvas.h"
#include "surface/MediaPath.h"
#include "surface/SoundThread.h"

// The host's PlaySound, not the platform's macro of that name.
#undef PlaySound

namespace {

// Ends happen at the start of a step; the longest step with its closing picture is far shorter.
constexpr DWORD EndAllTimeoutMs = 2000;

// The host of an effect on its own thread.
class WindowEffectHost final : public EffectHost {
 public:
  WindowEffectHost(HWND surface, int otherSounds, std::shared_ptr<const std::atomic<bool>> ending)
      : surface_(surface), otherSounds_(otherSounds), ending_(std::move(ending)) {}

  bool StopRequested() override {
    const EffectControl& control = TheEffectControl();
    return control.stopByKey.load() != 0 || control.stopByRightButton.load() != 0 || ending_->load();
  }
  void Sleep(int milliseconds) override { ::Sleep(static_cast<DWORD>(milliseconds)); }
  Point CursorPosition() override {
    POINT at{};
    ::GetCursorPos(&at);
    ::ScreenToClient(surface_, &at);
    return {at.x, at.y};
  }
  std::int64_t CalendarSeconds() override { return static_cast<std::int64_t>(std::time(nullptr)); }
  void PlaySound(const media::Sound& sound) override {
    if (otherSounds_ == 0) return;
    sound_thread::Play(WideMediaName(sound.path), static_cast<DWORD>(sound.mode));
  }
  void StopSound() override { sound_thread::Stop(); }

 private:
  HWND surface_;
  int otherSounds_;
  std::shared_ptr<const std::atomic<bool>> ending_;
};

}  // namespace

void EffectRunner::Start(EffectRoutine routine, HWND surface, int otherSounds) {
  ForgetFinished();
  EffectControl& control = TheEffectControl();
  control.stopByKey = 0;
  control.stopByRightButton = 0;
  auto thread = std::make_unique<WorkerThread>();
  const bool started = thread->Start([routine, surface, otherSounds, ending = ending_] {
    GdiCanvas canvas(surface);
    if (!canvas) return;  // no drawing context for the surface: nothing to do
    WindowEffectHost host(surface, otherSounds, ending);
    routine(canvas, host);
  });
  if (started) threads_.push_back(std::move(thread));
}

void EffectRunner::EndAll() {
  *ending_ = true;
  const DWORD deadline = ::GetTickCount() + EndAllTimeoutMs;
  for (const auto& thread : threads_) {
    const DWORD now = ::GetTickCount();
    // One that will not end in time is let go, so nothing waits for it twice.
    if (!thread->Join(now < deadline ? deadline - now : 0)) thread->LetGo();
  }
  threads_.clear();
}

std::size_t EffectRunner::Running() {
  ForgetFinished();
  return threads_.size();
}

void EffectRunner::ForgetFinished() {
  std::erase_if(threads_, [](const std::unique_ptr<WorkerThread>& thread) { return thread->Join(0); });
}
