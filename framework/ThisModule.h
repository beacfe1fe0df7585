#pragma once
#include <windows.h>

// The module (program or library) whose code this is: the framework is linked into each module
// that uses it, so this names the one holding the caller's resources.
HINSTANCE ThisModule();
