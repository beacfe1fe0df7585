#include "DeletionWatch.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<const void*> watched{nullptr};
std::atomic<int> deletions{0};

void Release(void* block) noexcept {
  if (block == nullptr) return;
  if (block == watched.load()) {
    deletions.fetch_add(1);
    return;
  }
  std::free(block);
}
}  // namespace

namespace deletion_watch {
void Watch(const void* block) {
  deletions.store(0);
  watched.store(block);
}
int Deletions() { return deletions.load(); }
void Stop() { watched.store(nullptr); }
}  // namespace deletion_watch

void* operator new(std::size_t size) {
  if (void* block = std::malloc(size == 0 ? 1 : size); block != nullptr) return block;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return ::operator new(size); }
void operator delete(void* block) noexcept { Release(block); }
void operator delete[](void* block) noexcept { Release(block); }
void operator delete(void* block, std::size_t) noexcept { Release(block); }
void operator delete[](void* block, std::size_t) noexcept { Release(block); }
