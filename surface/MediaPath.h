#pragma once
#include <string>

// A media path relative to the process's current directory, made absolute against it. Loading
// an image by a relative name may otherwise search the program's folder too, and the toy must
// find its media exactly where it is started from, no more.
std::string MediaPathFromCurrentDirectory(const char* relativePath);
