#include <windows.h>

#include "app/CToyApp.h"

namespace {
CToyApp theApp;
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { return theApp.Run(); }
