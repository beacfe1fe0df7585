#pragma once
#include <string>

// A media path relative to the process's current directory, made absolute against it with the
// wide calls, so a folder whose name the 8-bit code page cannot spell is found all the same.
// Loading an image by a relative name may otherwise search the program's folder too, and the toy
// must find its media exactly where it is started from, no more.
std::wstring MediaPathFromCurrentDirectory(const char* relativePath);

// The same relative path as wide text (media names are plain ASCII).
std::wstring WideMediaName(const char* relativePath);
