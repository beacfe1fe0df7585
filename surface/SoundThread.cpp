#include "surface/SoundThread.h"

#include <mmsystem.h>

#include <atomic>
#include <chrono>
#include <memory>

#include "framework/Worker.h"

namespace sound_thread {
namespace {

// A request travels as a thread message whose parameter owns the file name (null for a stop).
constexpr UINT PlayRequest = WM_APP + 1;
constexpr DWORD StartTimeoutMs = 2000;
constexpr DWORD EndTimeoutMs = 2000;

// A sound starts this long after it was asked for, at the earliest. Starting a sound costs the audio
// stack a burst of work (under some systems a new thread per sound); held back this little, it no
// longer competes for the processor with the display showing the picture that goes with the sound,
// and no ear can tell the difference. A request that waited in the queue longer starts at once.
constexpr std::chrono::milliseconds PictureHeadStart{3};

struct Request {
  std::wstring path;
  DWORD flags;
  std::chrono::steady_clock::time_point asked = std::chrono::steady_clock::now();
};

void WaitUntil(std::chrono::steady_clock::time_point moment) {
  const auto left = std::chrono::ceil<std::chrono::milliseconds>(moment - std::chrono::steady_clock::now());
  if (left.count() > 0) ::Sleep(static_cast<DWORD>(left.count()));
}

class SoundWorker {
 public:
  // Starts the thread with the first request; false once it has ended or when it cannot start.
  bool Post(std::unique_ptr<Request> request) {
    const DWORD id = EnsureStarted();
    if (id == 0) return false;
    if (!::PostThreadMessageW(id, PlayRequest, 0, reinterpret_cast<LPARAM>(request.get()))) return false;
    request.release();  // the sound thread owns it now
    return true;
  }

  void End() {
    ::AcquireSRWLockExclusive(&lock_);
    ended_ = true;
    const DWORD id = thread_.Started() ? thread_.Id() : 0;
    ::ReleaseSRWLockExclusive(&lock_);
    if (id == 0) return;
    ::PostThreadMessageW(id, PlayRequest, 0, 0);
    ::PostThreadMessageW(id, WM_QUIT, 0, 0);
    if (!thread_.Join(EndTimeoutMs)) thread_.LetGo();
  }

 private:
  DWORD EnsureStarted() {
    ::AcquireSRWLockExclusive(&lock_);
    if (!ended_ && !thread_.Started()) Start();
    const DWORD id = !ended_ && thread_.Started() ? thread_.Id() : 0;
    ::ReleaseSRWLockExclusive(&lock_);
    return id;
  }

  // The thread's queue exists before anyone posts to it.
  void Start() {
    const OwnedKernelHandle ready(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!ready) return;
    const HANDLE signal = ready.Get();
    if (!thread_.Start([signal] { Run(signal); }, THREAD_PRIORITY_ABOVE_NORMAL)) return;
    ::WaitForSingleObject(signal, StartTimeoutMs);
  }

  static void Run(HANDLE ready) {
    MSG message;
    ::PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);
    ::SetEvent(ready);
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
      if (message.message != PlayRequest) continue;
      const std::unique_ptr<Request> request(reinterpret_cast<Request*>(message.lParam));
      if (request) {
        WaitUntil(request->asked + PictureHeadStart);
        ::PlaySoundW(request->path.c_str(), nullptr, request->flags);
      } else {
        ::PlaySoundW(nullptr, nullptr, 0);
      }
    }
    // Requests still queued at the end only free their names.
    while (::PeekMessageW(&message, nullptr, PlayRequest, PlayRequest, PM_REMOVE)) {
      delete reinterpret_cast<Request*>(message.lParam);
    }
  }

  SRWLOCK lock_ = SRWLOCK_INIT;
  bool ended_ = false;
  WorkerThread thread_;
};

SoundWorker& Worker() {
  static SoundWorker worker;
  return worker;
}

}  // namespace

void Play(std::wstring path, DWORD flags) {
  Worker().Post(std::make_unique<Request>(Request{std::move(path), flags}));
}

void Stop() { Worker().Post(nullptr); }

void End() { Worker().End(); }

}  // namespace sound_thread
