#pragma once
#include <string>

#include "options/OptionKeys.h"

// The options file "mimitap.dat" beside the running program. Holds no handle: every read and
// write opens and closes the file inside the platform call.
class COptionsFile {
 public:
  static constexpr unsigned PathCapacity = 256;

  COptionsFile();
  virtual ~COptionsFile() = default;

  // Writes the options file's full path into `buffer` (PathCapacity bytes, the system's 8-bit
  // code page). A path that does not fit, or that the code page cannot spell, is given as empty
  // rather than as a path that would name some other file.
  static void BuildPath(char* buffer);

  // The key's value by the reading rule; -1 when it is missing.
  int ReadOption(OptionKey key) const;
  // Stores the value as "%d" at once; the platform's result is not looked at.
  int WriteOption(OptionKey key, int value) const;

 private:
  char path[PathCapacity];
  // The same file as the platform names it, whatever the folder's characters; reads and writes
  // go through it.
  std::wstring filePath;
};
