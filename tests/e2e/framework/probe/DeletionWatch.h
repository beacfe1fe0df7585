#pragma once

// Counts the deletions of one watched heap object. The probe replaces the global operator
// new/delete: the watched block's storage is never given back, so a second delete of the same
// object is counted instead of corrupting the heap and hiding the fault behind a crash.
namespace deletion_watch {
void Watch(const void* block);
int Deletions();
void Stop();
}  // namespace deletion_watch
