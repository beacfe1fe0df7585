// StartWorker: the work runs on a thread of its own, the caller does not wait for it, and an
// exception thrown by the work ends only that work.
#include <windows.h>

#include <memory>
#include <stdexcept>
#include <vector>

#include "ProbeSupport.h"
#include "core/SoundThread.h"
#include "framework/Handles.h"
#include "framework/Worker.h"

namespace {

constexpr DWORD WaitMs = 5000;

OwnedKernelHandle NewEvent() { return OwnedKernelHandle(::CreateEventW(nullptr, TRUE, FALSE, nullptr)); }

// Signals an event when the stack it lives on unwinds.
class SignalOnUnwind {
 public:
  explicit SignalOnUnwind(HANDLE event) : event_(event) {}
  SignalOnUnwind(const SignalOnUnwind&) = delete;
  SignalOnUnwind& operator=(const SignalOnUnwind&) = delete;
  ~SignalOnUnwind() { ::SetEvent(event_); }

 private:
  HANDLE event_;
};

// A real handle to the calling thread, so that the caller can wait for the thread to end.
HANDLE CurrentThreadHandle() {
  HANDLE thread = nullptr;
  ::DuplicateHandle(::GetCurrentProcess(), ::GetCurrentThread(), ::GetCurrentProcess(), &thread, 0, FALSE,
                    DUPLICATE_SAME_ACCESS);
  return thread;
}

}  // namespace

void RunWorkerScenario(Report& report) {
  {
    // The work waits for a go-ahead the caller gives only after StartWorker returned.
    const OwnedKernelHandle goAhead = NewEvent();
    const OwnedKernelHandle done = NewEvent();
    DWORD workThread = 0;
    bool sawGoAhead = false;
    const HANDLE go = goAhead.Get();
    const HANDLE finished = done.Get();
    const bool started = StartWorker([&workThread, &sawGoAhead, go, finished] {
      workThread = ::GetCurrentThreadId();
      sawGoAhead = ::WaitForSingleObject(go, WaitMs) == WAIT_OBJECT_0;
      ::SetEvent(finished);
    });
    ::SetEvent(go);
    const bool completed = started && ::WaitForSingleObject(finished, WaitMs) == WAIT_OBJECT_0;
    report.Check("worker.runs-on-another-thread",
                 completed && workThread != 0 && workThread != ::GetCurrentThreadId() && sawGoAhead,
                 Format("started %d, completed %d, work thread %lu, caller thread %lu, caller not blocked %d",
                        started ? 1 : 0, completed ? 1 : 0, workThread, ::GetCurrentThreadId(), sawGoAhead ? 1 : 0));
  }
  {
    const OwnedKernelHandle handedOver = NewEvent();
    const OwnedKernelHandle unwound = NewEvent();
    auto keepAlive = std::make_shared<int>(0);
    HANDLE threadHandle = nullptr;
    HANDLE* const threadSlot = &threadHandle;
    const HANDLE handed = handedOver.Get();
    const HANDLE unwinding = unwound.Get();
    const bool started = StartWorker([keepAlive, threadSlot, handed, unwinding] {
      const SignalOnUnwind signal(unwinding);
      *threadSlot = CurrentThreadHandle();
      ::SetEvent(handed);
      throw std::runtime_error("work failed");
    });
    const bool handedThread = started && ::WaitForSingleObject(handed, WaitMs) == WAIT_OBJECT_0;
    const OwnedKernelHandle thread(handedThread ? threadHandle : nullptr);
    const bool threadEnded = handedThread && thread && ::WaitForSingleObject(thread.Get(), WaitMs) == WAIT_OBJECT_0;
    DWORD exitCode = STILL_ACTIVE;
    if (threadEnded) ::GetExitCodeThread(thread.Get(), &exitCode);
    const bool stackUnwound = ::WaitForSingleObject(unwound.Get(), 0) == WAIT_OBJECT_0;
    report.Check("worker.exception-ends-only-the-work",
                 threadEnded && exitCode == 0 && stackUnwound,
                 Format("started %d, thread ended %d with code %lu, stack unwound %d", started ? 1 : 0,
                        threadEnded ? 1 : 0, exitCode, stackUnwound ? 1 : 0));
    // The work (and what it captured) is released when the thread is done with it.
    report.Check("worker.work-released-after-throw", threadEnded && keepAlive.use_count() == 1,
                 Format("the captured object still has %ld owners", keepAlive.use_count()));
  }
  {
    // The process still starts and runs work after a worker threw.
    const OwnedKernelHandle done = NewEvent();
    const HANDLE finished = done.Get();
    const bool started = StartWorker([finished] { ::SetEvent(finished); });
    report.Check("worker.runs-after-a-throw", started && ::WaitForSingleObject(finished, WaitMs) == WAIT_OBJECT_0,
                 "a later worker did not run");
  }
  {
    // The sound thread starts with its first request and waits for the thread's queue; when that
    // wait gives up first, the thread still signals its ready event later. That handle must still
    // be the thread's then, not a number that now names another object. Handles made right after
    // the start take any number freed by it; none of them may be signalled.
    int signalled = 0;
    for (int round = 0; round < 20; ++round) {
      SoundThread sounds(0);
      sounds.Start();
      std::vector<OwnedKernelHandle> others;
      for (int i = 0; i < 8; ++i) others.push_back(NewEvent());
      sounds.End();
      for (const OwnedKernelHandle& other : others) {
        if (::WaitForSingleObject(other.Get(), 0) == WAIT_OBJECT_0) ++signalled;
      }
    }
    report.Check("worker.sound-thread-signals-only-its-own-event", signalled == 0,
                 Format("%d events of others were signalled", signalled));
  }
}
