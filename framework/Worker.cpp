#include "framework/Worker.h"

#include <memory>

namespace {

constexpr DWORD DestructorJoinMs = 2000;

DWORD WINAPI WorkerProcedure(LPVOID parameter) noexcept {
  std::unique_ptr<std::function<void()>> work(static_cast<std::function<void()>*>(parameter));
  try {
    (*work)();
  } catch (...) {
    // The worker ends quietly; the toy goes on.
  }
  return 0;
}

// A suspended thread running `work`, or null; the thread owns `work` once it exists.
HANDLE CreateSuspendedWorker(std::function<void()> work, DWORD* id) {
  auto owned = std::make_unique<std::function<void()>>(std::move(work));
  const HANDLE thread = ::CreateThread(nullptr, 0, &WorkerProcedure, owned.get(), CREATE_SUSPENDED, id);
  if (thread != nullptr) owned.release();
  return thread;
}

}  // namespace

bool StartWorker(std::function<void()> work) {
  DWORD id = 0;
  const HANDLE thread = CreateSuspendedWorker(std::move(work), &id);
  if (thread == nullptr) return false;
  ::ResumeThread(thread);
  ::CloseHandle(thread);
  return true;
}

WorkerThread::~WorkerThread() { Join(DestructorJoinMs); }

bool WorkerThread::Start(std::function<void()> work, int priority) {
  if (thread_) return false;
  DWORD id = 0;
  const HANDLE thread = CreateSuspendedWorker(std::move(work), &id);
  if (thread == nullptr) return false;
  if (priority != THREAD_PRIORITY_NORMAL) ::SetThreadPriority(thread, priority);
  thread_.Reset(thread);
  id_ = id;
  ::ResumeThread(thread);
  return true;
}

bool WorkerThread::Join(DWORD timeoutMs) {
  if (!thread_) return true;
  if (::WaitForSingleObject(thread_.Get(), timeoutMs) != WAIT_OBJECT_0) return false;
  thread_.Reset();
  id_ = 0;
  return true;
}

void WorkerThread::LetGo() {
  thread_.Reset();
  id_ = 0;
}
