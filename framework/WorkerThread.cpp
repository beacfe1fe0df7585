#include "framework/WorkerThread.h"

#include <memory>

namespace {

constexpr DWORD DestructorJoinMs = 2000;

DWORD WINAPI ThreadProcedure(LPVOID parameter) noexcept {
  std::unique_ptr<std::function<void()>> work(static_cast<std::function<void()>*>(parameter));
  try {
    (*work)();
  } catch (...) {
    // The thread ends quietly; its owner sees it end.
  }
  return 0;
}

}  // namespace

WorkerThread::~WorkerThread() { Join(DestructorJoinMs); }

bool WorkerThread::Start(std::function<void()> work, int priority) {
  if (thread_) return false;
  auto owned = std::make_unique<std::function<void()>>(std::move(work));
  DWORD id = 0;
  const HANDLE thread = ::CreateThread(nullptr, 0, &ThreadProcedure, owned.get(), CREATE_SUSPENDED, &id);
  if (thread == nullptr) return false;
  owned.release();
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
