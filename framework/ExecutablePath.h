#pragma once
#include <string>

// The full path of the running program's executable file, however long.
std::wstring ExecutablePath();

// Its folder, with the trailing separator.
std::wstring ExecutableFolder();
