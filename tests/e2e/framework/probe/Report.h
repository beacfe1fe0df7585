#pragma once
#include <cstdio>
#include <string>
#include <string_view>

// One line per check, flushed at once so that a crash or a hang still leaves every earlier line:
// "PASS <name>", "FAIL <name>: <detail>" or "SKIP <name>: <reason>".
class Report {
 public:
  // Lines go to stdout and, when `file` is not null, to that file too.
  explicit Report(std::FILE* file) : file_(file) {}

  bool Check(std::string_view name, bool passed, std::string_view detail = {});
  void Skip(std::string_view name, std::string_view reason);
  // A line that is not a result: context for whoever reads a failure.
  void Note(std::string_view text);
  int Failures() const { return failures_; }

  // For a process that is stuck or crashing: writes one FAIL line straight to the output handles,
  // without the C runtime or the heap (either may be what is stuck), and counts it.
  void EmergencyFail(const char* name, const char* detail) noexcept;

 private:
  void Emit(const std::string& line);

  std::FILE* file_;
  int failures_ = 0;
};

// printf into a std::string, for failure details.
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
