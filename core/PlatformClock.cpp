#include "core/PlatformClock.h"

#include <windows.h>

#include <ctime>

std::int64_t PlatformClock::CalendarSeconds() { return static_cast<std::int64_t>(std::time(nullptr)); }

std::uint32_t PlatformClock::TickMilliseconds() { return ::GetTickCount(); }

void PlatformClock::YieldTimeSlice() { ::Sleep(0); }
