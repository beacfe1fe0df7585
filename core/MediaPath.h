#pragma once
#include <string>

// A media path relative to the process's current directory, made absolute against it with the
// wide calls, so a folder whose name the 8-bit code page cannot spell is found all the same.
// Loading an image by a relative name may otherwise search the program's folder too, and the toy
// must find its media exactly where it is started from, no more.
std::wstring MediaPathFromCurrentDirectory(const char* relativePath);

// The same relative path as wide text (media names are plain ASCII).
std::wstring WideMediaName(const char* relativePath);

// A media path as the audio stack can open it. It opens sound files through the 8-bit code page, so
// a path that code page cannot spell (the folder ミミタップ on a Western system) is given in its
// short form, which it can; any other path comes back as it is.
std::wstring SoundFilePath(const std::wstring& relativePath);
