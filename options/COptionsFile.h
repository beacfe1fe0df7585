#pragma once
#include "options/OptionKeys.h"

// The options file "mimitap.dat" beside the running program. Holds no handle: every read and
// write opens and closes the file inside the platform call.
class COptionsFile {
 public:
  static constexpr unsigned PathCapacity = 256;

  COptionsFile();
  virtual ~COptionsFile() = default;

  // Writes the options file's full path into `buffer` (PathCapacity bytes). A program folder too
  // deep for the buffer gives an empty path: such a file can be neither read nor written.
  static void BuildPath(char* buffer);

  // The key's value by the reading rule; -1 when it is missing (or the path is unusable).
  int ReadOption(OptionKey key) const;
  // Stores the value as "%d" at once; the platform's result is not looked at.
  int WriteOption(OptionKey key, int value) const;

  const char* Path() const { return path; }

 private:
  char path[PathCapacity];
};
