#include "Report.h"

#include <windows.h>
#include <io.h>

#include <cstdarg>

bool Report::Check(std::string_view name, bool passed, std::string_view detail) {
  std::string line = passed ? "PASS " : "FAIL ";
  line.append(name);
  if (!passed) {
    ++failures_;
    line.append(": ");
    line.append(detail.empty() ? std::string_view("check failed") : detail);
  }
  Emit(line);
  return passed;
}

void Report::Skip(std::string_view name, std::string_view reason) {
  std::string line = "SKIP ";
  line.append(name).append(": ").append(reason);
  Emit(line);
}

void Report::Note(std::string_view text) {
  std::string line = "NOTE ";
  line.append(text);
  Emit(line);
}

void Report::EmergencyFail(const char* name, const char* detail) noexcept {
  ++failures_;
  static char line[512];
  line[0] = '\0';
  ::lstrcpynA(line, "FAIL ", sizeof(line));
  const auto append = [](const char* text) {
    const int used = ::lstrlenA(line);
    ::lstrcpynA(line + used, text, static_cast<int>(sizeof(line)) - used - 2);
  };
  append(name);
  append(": ");
  append(detail);
  append("\n");
  DWORD written = 0;
  ::WriteFile(::GetStdHandle(STD_OUTPUT_HANDLE), line, static_cast<DWORD>(::lstrlenA(line)), &written, nullptr);
  if (file_ != nullptr) {
    const auto handle = reinterpret_cast<HANDLE>(::_get_osfhandle(::_fileno(file_)));
    if (handle != INVALID_HANDLE_VALUE) {
      ::WriteFile(handle, line, static_cast<DWORD>(::lstrlenA(line)), &written, nullptr);
    }
  }
}

void Report::Emit(const std::string& line) {
  std::fprintf(stdout, "%s\n", line.c_str());
  std::fflush(stdout);
  if (file_ != nullptr) {
    std::fprintf(file_, "%s\n", line.c_str());
    std::fflush(file_);
  }
}

std::string Format(const char* format, ...) {
  char buffer[1024];
  va_list arguments;
  va_start(arguments, format);
  std::vsnprintf(buffer, sizeof(buffer), format, arguments);
  va_end(arguments);
  return buffer;
}
