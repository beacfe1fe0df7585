#pragma once
#include <string>

// UTF-8 text from the sources as the wide text the platform's wide calls take.
std::wstring WideFromUtf8(const char* utf8);
