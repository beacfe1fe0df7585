// An options library of an older make: the options and the system check, but neither dialog.
#include <cstring>

extern "C" int ininfo(char* path, int* noscreenserver, int* keywav, int* otherwav, int* time, int* endaltf4) {
  std::strcpy(path, "");
  *noscreenserver = 1;
  *keywav = 1;
  *otherwav = 1;
  *time = 0;
  *endaltf4 = 0;
  return 0;
}

extern "C" int osver() { return 0; }
