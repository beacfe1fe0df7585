#pragma once
#include <string>

#include "core/OptionTable.h"

// The options file "mimitap.dat" beside the running program. Holds no handle: every read and
// write opens and closes the file inside the platform call.
class COptionsFile {
 public:
  static constexpr unsigned PathCapacity = sizeof(SettingsBlock::path);

  COptionsFile();

  // Writes the options file's full path into `buffer` (PathCapacity bytes, the system's 8-bit
  // code page). A path that does not fit, or that the code page cannot spell, is given as empty
  // rather than as a path that would name some other file.
  static void BuildPath(char* buffer);

  // The option's value by the reading rule; -1 when it is missing.
  int ReadOption(const OptionRow& option) const;
  // Stores the value as "%d" at once; the platform's result is not looked at.
  void WriteOption(const OptionRow& option, int value) const;

 private:
  // The file as the platform names it, whatever the folder's characters; empty when the program's
  // own path is unknown.
  std::wstring filePath;
};
