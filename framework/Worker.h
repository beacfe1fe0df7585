#pragma once
#include <windows.h>

#include <functional>

#include "framework/Handles.h"

// Starts `work` on a new thread of its own; the thread ends when it returns. Nothing it throws
// leaves the thread. False when no thread could be started.
bool StartWorker(std::function<void()> work);

// A thread its owner starts, knows by id, and waits for with a bound. Nothing the work throws
// leaves the thread. The owner asks the work to end in its own way (a flag, a posted quit) and
// then joins; the destructor joins for a short while and lets go of a thread that will not end.
class WorkerThread {
 public:
  WorkerThread() = default;
  WorkerThread(const WorkerThread&) = delete;
  WorkerThread& operator=(const WorkerThread&) = delete;
  ~WorkerThread();

  // Starts `work` on a new thread; false when none could be started or one is already owned.
  bool Start(std::function<void()> work, int priority = THREAD_PRIORITY_NORMAL);

  DWORD Id() const { return id_; }
  bool Started() const { return static_cast<bool>(thread_); }

  // Waits up to `timeoutMs` for the thread to end; true when it has ended (or none was started),
  // and then the thread is no longer owned.
  bool Join(DWORD timeoutMs);

  // Stops owning a thread that would not end in time; it ends with the process.
  void LetGo();

 private:
  OwnedKernelHandle thread_;
  DWORD id_ = 0;
};
