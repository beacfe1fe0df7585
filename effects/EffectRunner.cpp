#include "effects/EffectRunner.h"

#include <ctime>

#include "core/GdiCanvas.h"
#include "effects/EffectControl.h"

namespace {

// Ends happen at the start of a step; the longest step with its closing picture is far shorter.
constexpr DWORD EndAllTimeoutMs = 2000;

// The host of an effect on its own thread.
class WindowEffectHost final : public EffectHost {
 public:
  WindowEffectHost(HWND surface, const media::Sound& sound, SoundGates gates,
                   std::shared_ptr<const std::atomic<bool>> ending)
      : surface_(surface), sound_(sound), gates_(gates), ending_(std::move(ending)) {}

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
  void PlaySound() override { StartSound(sound_, gates_); }
  void StopSound() override { ::StopSound(); }

 private:
  HWND surface_;
  media::Sound sound_;
  SoundGates gates_;
  std::shared_ptr<const std::atomic<bool>> ending_;
};

}  // namespace

void EffectRunner::Start(EffectRoutine routine, const media::Sound& sound, HWND surface) {
  ForgetFinished();
  EffectControl& control = TheEffectControl();
  control.stopByKey = 0;
  control.stopByRightButton = 0;
  auto thread = std::make_unique<WorkerThread>();
  const SoundGates gates = GatesOf(ProgramSettings());
  const bool started = thread->Start([routine, sound, gates, surface, ending = ending_] {
    GdiCanvas canvas(surface);
    if (!canvas) return;  // no drawing context for the surface: nothing to do
    WindowEffectHost host(surface, sound, gates, ending);
    RunEffect(routine, canvas, host);
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
