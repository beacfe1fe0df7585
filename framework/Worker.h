#pragma once
#include <functional>

// Starts `work` on a new thread of its own; the thread ends when it returns. Nothing it throws
// leaves the thread. False when no thread could be started.
bool StartWorker(std::function<void()> work);
