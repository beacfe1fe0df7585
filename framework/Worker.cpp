#include "framework/Worker.h"

#include <windows.h>

#include <memory>

namespace {
DWORD WINAPI WorkerProcedure(LPVOID parameter) noexcept {
  std::unique_ptr<std::function<void()>> work(static_cast<std::function<void()>*>(parameter));
  try {
    (*work)();
  } catch (...) {
    // The worker ends quietly; the toy goes on.
  }
  return 0;
}
}  // namespace

bool StartWorker(std::function<void()> work) {
  auto owned = std::make_unique<std::function<void()>>(std::move(work));
  const HANDLE thread = ::CreateThread(nullptr, 0, &WorkerProcedure, owned.get(), 0, nullptr);
  if (thread == nullptr) return false;
  owned.release();
  ::CloseHandle(thread);
  return true;
}
