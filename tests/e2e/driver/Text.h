// Conversions at the driver's edges: the harness speaks UTF-8, Windows speaks UTF-16.
#pragma once

#include <string>
#include <string_view>

std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view utf16);
// Bytes in a code page (the ANSI one by default) as UTF-8.
std::string fromCodePage(std::string_view bytes, unsigned codePage);
std::string hexBytes(std::string_view bytes);
