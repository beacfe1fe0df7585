// A library planted in the current folder under the options library's name. If the toy ever
// loads it, it leaves "planted-library-loaded.txt" in the current folder.
#include <windows.h>

#include <cstring>

namespace {
void LeaveMark() {
  const HANDLE file = ::CreateFileW(L"planted-library-loaded.txt", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) ::CloseHandle(file);
}
}  // namespace

extern "C" int ininfo(char* path, int* noscreenserver, int* keywav, int* otherwav, int* time, int* endaltf4) {
  LeaveMark();
  std::strcpy(path, "planted");
  *noscreenserver = *keywav = *otherwav = *time = *endaltf4 = 1;
  return 0;
}

extern "C" int osver() {
  LeaveMark();
  return 0;
}
