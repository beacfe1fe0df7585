// What the tests want to know about a window, read without sending it messages (so a hung
// window cannot hang the driver).
#pragma once

#include "JsonWriter.h"

#include <windows.h>

#include <string>

std::string windowClass(HWND hwnd);
std::string windowTitle(HWND hwnd);
HWND parseHwnd(const std::string& word);
std::int64_t hwndValue(HWND hwnd);
void writeRect(JsonWriter& out, std::string_view name, const RECT& r);
// Writes the window as an object value (the caller has written the key, or is inside an array).
void writeWindow(JsonWriter& out, HWND hwnd);
