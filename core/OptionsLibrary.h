#pragma once
#include <windows.h>

#include "framework/Handles.h"

// The options library "mimiopt.dll" beside the program, loaded by full path for each use (a copy
// planted in the current folder is never picked up; its own imports resolve from its folder too)
// and freed when the handle goes, so every use sees the options file as it is now.
OwnedLibrary LoadOptionsLibrary();

// An export of the loaded library by its plain name; null when it is missing.
template <class Export>
Export FindExport(const OwnedLibrary& library, const char* name) {
  if (!library) return nullptr;
  return reinterpret_cast<Export>(reinterpret_cast<void*>(::GetProcAddress(library.Get(), name)));
}
