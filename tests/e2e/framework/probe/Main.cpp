// fwprobe: drives the window framework through scripted scenarios under the real message loop.
//   fwprobe.exe [--out FILE]
// One line per check on stdout (and in FILE); the exit code is the number of failed checks, or 200
// when the probe could not run or finish.
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cwchar>
#include <string>

#include "ProbeSupport.h"
#include "Report.h"

namespace {
// Far above the sum of the scenarios' own watchdogs: reached only if a scenario hangs where its
// own watchdog cannot act (a blocked thread, a loop that never dispatches).
constexpr DWORD ProcessTimeoutMs = 120000;

std::atomic<const char*> scenario{"start-up"};
Report* activeReport = nullptr;
HANDLE finished = nullptr;

// The exit code when the probe could not finish: above any count of failed checks.
constexpr UINT Unfinished = 200;

DWORD WINAPI ProcessWatchdog(LPVOID) noexcept {
  if (::WaitForSingleObject(finished, ProcessTimeoutMs) == WAIT_TIMEOUT) {
    static char detail[128];
    ::lstrcpynA(detail, "hung in scenario ", sizeof(detail));
    ::lstrcatA(detail, scenario.load());
    activeReport->EmergencyFail("probe.completed", detail);
    // Not ExitProcess: the hung thread may hold the locks that process exit needs.
    ::TerminateProcess(::GetCurrentProcess(), Unfinished);
  }
  return 0;
}

LONG WINAPI OnCrash(EXCEPTION_POINTERS* exception) noexcept {
  static char detail[128];
  ::wsprintfA(detail, "exception 0x%08lx in scenario ", exception->ExceptionRecord->ExceptionCode);
  ::lstrcatA(detail, scenario.load());
  activeReport->EmergencyFail("probe.completed", detail);
  ::TerminateProcess(::GetCurrentProcess(), Unfinished);
  return EXCEPTION_EXECUTE_HANDLER;
}
}  // namespace

void EnterScenario(const char* name) { scenario.store(name); }
const char* CurrentScenario() { return scenario.load(); }

int wmain(int argc, wchar_t** argv) {
  std::FILE* file = nullptr;
  for (int i = 1; i < argc; ++i) {
    if (std::wcscmp(argv[i], L"--out") == 0 && i + 1 < argc) {
      file = ::_wfopen(argv[++i], L"w");
      if (file == nullptr) {
        std::fprintf(stderr, "fwprobe: cannot write %ls\n", argv[i]);
        return Unfinished;
      }
    } else {
      std::fprintf(stderr, "usage: fwprobe.exe [--out FILE]\n");
      return Unfinished;
    }
  }
  ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
  Report report(file);
  activeReport = &report;
  ::SetUnhandledExceptionFilter(&OnCrash);
  finished = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  const HANDLE watchdog = ::CreateThread(nullptr, 0, &ProcessWatchdog, nullptr, 0, nullptr);

  const struct {
    const char* name;
    void (*run)(Report&);
  } scenarios[] = {
      {"lifecycle", &RunLifecycleScenario},   {"routing", &RunRoutingScenario},
      {"pre-dispatch", &RunPreDispatchScenario}, {"dialogs", &RunDialogScenario},
      {"pane-sizing", &RunPaneSizingScenario}, {"worker", &RunWorkerScenario},
      {"raii", &RunRaiiScenario},
  };
  for (const auto& entry : scenarios) {
    EnterScenario(entry.name);
    report.Note(std::string("scenario ") + entry.name);
    entry.run(report);
  }
  report.Check("probe.completed", true);

  ::SetEvent(finished);
  if (watchdog != nullptr) {
    ::WaitForSingleObject(watchdog, INFINITE);
    ::CloseHandle(watchdog);
  }
  if (file != nullptr) std::fclose(file);
  return report.Failures();
}
