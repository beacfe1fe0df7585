#pragma once
#include <string>

// A media path relative to the process's current directory, made absolute against it with the
// wide calls, so a folder whose name the 8-bit code page cannot spell is found all the same.
// Loading an image by a relative name may otherwise search the program's folder too, and the toy
// must find its media exactly where it is started from, no more.
std::wstring MediaPathFromCurrentDirectory(const char* relativePath);

// The same relative path as wide text (media names are plain ASCII).
std::wstring WideMediaName(const char* relativePath);

// A media sound as the audio stack can take it. It opens sound files through the 8-bit code page
// into a buffer of 128 characters, so a path that code page cannot spell (the folder ミミタップ on a
// Western system) or that is too long is given in its short form where that will do; where it
// will not (a volume without short names), `path` is the full path of the file whose bytes the
// audio stack must be given from memory, and `fromMemory` is set.
struct SoundFileAccess {
  std::wstring path;
  bool fromMemory = false;
};
SoundFileAccess SoundFileAccessFor(const std::wstring& relativePath);
