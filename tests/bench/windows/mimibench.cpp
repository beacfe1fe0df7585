// Measures the toy under Wine and prints one JSON object per measurement:
//   mimibench fills <repetitions>          fill times on a full-screen window of this display
//   mimibench startup <program folder>     start to full-screen frame, and memory after start
//   mimibench barestartup <folder>         the same for barewindow.exe, the yardstick
//   mimibench barekeys <taps>              key release to filled screen on the bare window
//   mimibench keys <taps>                  key release to filled screen on the running toy
//   mimibench swallowed <taps>             Windows key release (swallowed, answered with a Space) to filled screen
//   mimibench busykeys <taps>              key release to filled screen while an effect runs on the toy
//   mimibench effects                      drawing time of one step of each effect, and its running time
//   mimibench keyrounds <rounds> <taps> <program>...
//                                          key release to filled screen of each program (mimitap.exe,
//                                          barewindow.exe by full path), started and closed in turns
//   mimibench startframe <runs> <program>...
//                                          start to full frame of each program (mimitap.exe, barewindow.exe
//                                          by full path), taken in turns: from CreateProcess to a window
//                                          that covers the screen, to its first paint on the screen and to
//                                          the program's first wait for input
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "effects/Effects.h"
#include "framework/Handles.h"
#include "core/GdiCanvas.h"
#include "surface/SurfaceFills.h"

// The effect host's PlaySound, not the platform's macro of that name.
#undef PlaySound

namespace {

double NowMs() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    ::QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER counter;
  ::QueryPerformanceCounter(&counter);
  return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Percentile(std::vector<double> samples, double fraction) {
  if (samples.empty()) return -1;
  std::sort(samples.begin(), samples.end());
  const auto index = static_cast<std::size_t>(fraction * static_cast<double>(samples.size() - 1) + 0.5);
  return samples[std::min(index, samples.size() - 1)];
}

int ScreenWidth() { return ::GetSystemMetrics(SM_CXSCREEN); }
int ScreenHeight() { return ::GetSystemMetrics(SM_CYSCREEN); }

// Waits until the drawing reached the screen: a pixel read is a round trip to the display.
void Settle(HWND window) {
  ::GdiFlush();
  HDC dc = ::GetDC(window);
  ::GetPixel(dc, 0, 0);
  ::ReleaseDC(window, dc);
}

HWND CreateBenchWindow() {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = ::DefWindowProcW;
  windowClass.hInstance = ::GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"MimiBenchSurface";
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  ::RegisterClassW(&windowClass);
  const HWND window = ::CreateWindowExW(WS_EX_TOPMOST, windowClass.lpszClassName, L"bench", WS_POPUP | WS_VISIBLE, 0,
                                        0, ScreenWidth(), ScreenHeight(), nullptr, nullptr, windowClass.hInstance,
                                        nullptr);
  ::UpdateWindow(window);
  return window;
}

int Fills(int repetitions) {
  const HWND window = CreateBenchWindow();
  const struct {
    const char* name;
    void (*fill)(Canvas&);
  } fills[] = {{"key_fill", KeyColorFill}, {"hatch_fill", HatchFill}, {"mosaic_fill", MosaicFill},
               {"gradient_fill", GradientFill}};
  for (const auto& fill : fills) {
    std::vector<double> times;
    for (int i = 0; i < repetitions; ++i) {
      const double start = NowMs();
      {
        GdiCanvas canvas(window);
        fill.fill(canvas);
      }
      Settle(window);
      times.push_back(NowMs() - start);
    }
    std::printf("{\"measure\":\"%s\",\"width\":%d,\"height\":%d,\"median_ms\":%.3f,\"p95_ms\":%.3f}\n", fill.name,
                ScreenWidth(), ScreenHeight(), Percentile(times, 0.5), Percentile(times, 0.95));
  }
  ::DestroyWindow(window);
  return 0;
}

BOOL CALLBACK MatchToyFrame(HWND window, LPARAM result) {
  wchar_t title[64] = {};
  ::GetWindowTextW(window, title, 64);
  if (std::wcscmp(title, L"ミミタップ") == 0 && ::IsWindowVisible(window) &&
      ::GetDlgItem(window, 0xE900) != nullptr) {
    *reinterpret_cast<HWND*>(result) = window;
    return FALSE;
  }
  return TRUE;
}

HWND FindToyFrame() {
  HWND found = nullptr;
  ::EnumWindows(&MatchToyFrame, reinterpret_cast<LPARAM>(&found));
  return found;
}

// The window that answers the keys: the bare window when it runs, otherwise the toy's frame.
HWND FindAnsweringWindow() {
  if (const HWND bare = ::FindWindowW(L"MimiBareWindow", nullptr); bare != nullptr) return bare;
  return FindToyFrame();
}

// The window that is erased before each tap: the bare window itself, or the toy's play surface.
HWND ErasedWindow(HWND answering) {
  const HWND surface = ::GetDlgItem(answering, 0xE900);
  return surface != nullptr ? surface : answering;
}

bool CoversScreen(HWND window) {
  RECT rect{};
  ::GetWindowRect(window, &rect);
  return rect.left <= 0 && rect.top <= 0 && rect.right >= ScreenWidth() && rect.bottom >= ScreenHeight();
}

// Starts `program` in `folder` and times it to its full-screen window.
int Startup(const wchar_t* folder, const wchar_t* program, const char* measure) {
  std::wstring command = std::wstring(L"\"") + folder + L"\\" + program + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  const double start = NowMs();
  if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder, &startup, &process)) {
    std::printf("{\"error\":\"cannot start the toy\"}\n");
    return 1;
  }
  HWND frame = nullptr;
  while (NowMs() - start < 30000) {
    frame = FindAnsweringWindow();
    if (frame != nullptr && CoversScreen(frame)) break;
    ::Sleep(1);
  }
  const double shown = NowMs() - start;
  ::Sleep(1000);
  PROCESS_MEMORY_COUNTERS_EX memory{};
  memory.cb = sizeof(memory);
  ::GetProcessMemoryInfo(process.hProcess, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof(memory));
  std::printf("{\"measure\":\"%s\",\"frame_ms\":%.1f,\"found\":%s,\"working_set_kb\":%llu,"
              "\"committed_kb\":%llu}\n",
              measure, shown, frame != nullptr ? "true" : "false",
              static_cast<unsigned long long>(memory.WorkingSetSize / 1024),
              static_cast<unsigned long long>(memory.PagefileUsage / 1024));
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  return frame != nullptr ? 0 : 1;
}

// A full-screen window of one colour that no program under test paints, behind every top-most
// window: the screen's centre shows it until the started program's first paint is on the screen.
constexpr COLORREF MarkerColour = RGB(17, 34, 51);

HWND CreateMarkerWindow() {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = ::DefWindowProcW;
  windowClass.hInstance = ::GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"MimiBenchMarker";
  windowClass.hbrBackground = ::CreateSolidBrush(MarkerColour);
  ::RegisterClassW(&windowClass);
  const HWND window = ::CreateWindowExW(0, windowClass.lpszClassName, L"marker", WS_POPUP | WS_VISIBLE, 0, 0,
                                        ScreenWidth(), ScreenHeight(), nullptr, nullptr, windowClass.hInstance,
                                        nullptr);
  ::UpdateWindow(window);
  return window;
}

void PumpMessages() {
  MSG message;
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
}

// A program (a full path) started in its own folder; when it goes, its `window` is asked to close,
// the process is ended if it does not, and both are waited for.
class StartedProgram {
 public:
  explicit StartedProgram(const std::wstring& program) {
    const std::wstring folder = program.substr(0, program.find_last_of(L'\\'));
    std::wstring command = L"\"" + program + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                         &process)) {
      ::CloseHandle(process.hThread);
      process_.Reset(process.hProcess);
    }
  }
  StartedProgram(const StartedProgram&) = delete;
  StartedProgram& operator=(const StartedProgram&) = delete;
  ~StartedProgram() {
    if (!process_) return;
    if (window != nullptr) ::PostMessageW(window, WM_CLOSE, 0, 0);
    if (::WaitForSingleObject(process_.Get(), 5000) != WAIT_OBJECT_0) {
      ::TerminateProcess(process_.Get(), 1);
      ::WaitForSingleObject(process_.Get(), 5000);
    }
  }

  explicit operator bool() const { return static_cast<bool>(process_); }
  HANDLE Process() const { return process_.Get(); }

  HWND window = nullptr;

 private:
  OwnedKernelHandle process_;
};

struct FrameTimes {
  double start = 0;     // CreateProcess, on this machine's performance counter (ms)
  double covered = -1;  // a visible window of the program covers the screen
  double painted = -1;  // ... and the screen's centre no longer shows the marker
  double idle = -1;     // the program's first wait for input (WaitForInputIdle)
};

// One start of `program` (a full path) in its folder, over the marker window; the program is closed
// afterwards.
FrameTimes StartToFrame(const std::wstring& program) {
  FrameTimes times;
  const HWND marker = CreateMarkerWindow();
  PumpMessages();
  Settle(marker);
  ::Sleep(300);
  HDC screen = ::GetDC(nullptr);
  const int x = ScreenWidth() / 2;
  const int y = ScreenHeight() / 2;
  {
    const double start = NowMs();
    times.start = start;
    StartedProgram started(program);
    while (started && NowMs() - start < 30000 && (times.painted < 0 || times.idle < 0)) {
      if (times.idle < 0 && ::WaitForInputIdle(started.Process(), 0) == 0) times.idle = NowMs() - start;
      if (times.covered < 0) {
        started.window = FindAnsweringWindow();
        if (started.window != nullptr && CoversScreen(started.window)) times.covered = NowMs() - start;
      }
      if (times.covered >= 0 && times.painted < 0 && ::GetPixel(screen, x, y) != MarkerColour) {
        times.painted = NowMs() - start;
      }
      ::Sleep(1);
    }
    ::ReleaseDC(nullptr, screen);
    if (started) ::Sleep(200);
  }
  ::DestroyWindow(marker);
  PumpMessages();
  ::Sleep(200);
  return times;
}

std::string Narrow(const std::wstring& text) {
  std::string narrow;
  for (const wchar_t c : text) narrow.push_back(c < 0x80 && c != L'\\' && c != L'"' ? static_cast<char>(c) : '/');
  return narrow;
}

void PrintFrameTimes(const std::wstring& program, const std::vector<FrameTimes>& runs) {
  std::vector<double> covered, painted, idle;
  for (const FrameTimes& run : runs) {
    if (run.covered >= 0) covered.push_back(run.covered);
    if (run.painted >= 0) painted.push_back(run.painted);
    if (run.idle >= 0) idle.push_back(run.idle);
  }
  std::printf("{\"measure\":\"start_frame\",\"program\":\"%s\",\"runs\":%zu,\"covered_ms\":%.1f,\"painted_ms\":%.1f,"
              "\"idle_ms\":%.1f,\"painted_p25_ms\":%.1f,\"painted_p75_ms\":%.1f}\n",
              Narrow(program).c_str(), painted.size(), Percentile(covered, 0.5), Percentile(painted, 0.5),
              Percentile(idle, 0.5), Percentile(painted, 0.25), Percentile(painted, 0.75));
  std::fflush(stdout);
}

// The programs in turns, each run in another order, so that all see the same load.
int StartFrames(int runs, const std::vector<std::wstring>& programs) {
  std::vector<std::vector<FrameTimes>> times(programs.size());
  for (int i = 0; i < runs; ++i) {
    for (std::size_t turn = 0; turn < programs.size(); ++turn) {
      const std::size_t which = (i % 2 == 0 ? turn : programs.size() - 1 - turn);
      const FrameTimes run = StartToFrame(programs[which]);
      times[which].push_back(run);
      std::printf("{\"run\":%d,\"program\":%zu,\"t0\":%.3f,\"covered_ms\":%.1f,\"painted_ms\":%.1f,\"idle_ms\":%.1f}\n",
                  i, which, run.start, run.covered, run.painted, run.idle);
      std::fflush(stdout);
    }
  }
  for (std::size_t which = 0; which < programs.size(); ++which) PrintFrameTimes(programs[which], times[which]);
  return 0;
}

void TapKey(WORD key, DWORD flags) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.dwFlags = flags;
  ::SendInput(1, &input, sizeof(input));
}

// Releasing `key` to the first change of the screen's centre, over `taps` taps; the times go to
// `samples` when given.
int KeyToFill(int taps, WORD key, const char* measure, std::vector<double>* samples = nullptr) {
  const HWND frame = FindAnsweringWindow();
  if (frame == nullptr) {
    std::printf("{\"error\":\"the toy is not running\"}\n");
    return 1;
  }
  const HWND surface = ErasedWindow(frame);
  HDC screen = ::GetDC(nullptr);
  const int x = ScreenWidth() / 2;
  const int y = ScreenHeight() / 2;
  std::vector<double> times;
  int unchanged = 0;
  for (int i = 0; i < taps; ++i) {
    // Erase to the window colour, so that any fill colour but white shows as a change.
    ::RedrawWindow(surface, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    ::Sleep(30);
    const COLORREF before = ::GetPixel(screen, x, y);
    TapKey(key, 0);
    ::Sleep(20);
    const double released = NowMs();
    TapKey(key, KEYEVENTF_KEYUP);
    bool changed = false;
    while (NowMs() - released < 1000) {
      if (::GetPixel(screen, x, y) != before) {
        changed = true;
        break;
      }
    }
    if (changed) {
      times.push_back(NowMs() - released);
    } else {
      ++unchanged;  // the fill happened to be the window colour itself
    }
    ::Sleep(50);
  }
  ::ReleaseDC(nullptr, screen);
  if (samples != nullptr) {
    samples->insert(samples->end(), times.begin(), times.end());
    return times.empty() ? 1 : 0;
  }
  std::printf("{\"measure\":\"%s\",\"samples\":%zu,\"unchanged\":%d,\"median_ms\":%.2f,"
              "\"p95_ms\":%.2f}\n",
              measure, times.size(), unchanged, Percentile(times, 0.5), Percentile(times, 0.95));
  return times.empty() ? 1 : 0;
}

BOOL CALLBACK AddMonitorCentre(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (::GetMonitorInfoW(monitor, &info)) {
    const POINT centre{(info.rcMonitor.left + info.rcMonitor.right) / 2, (info.rcMonitor.top + info.rcMonitor.bottom) / 2};
    auto* centres = reinterpret_cast<std::vector<POINT>*>(list);
    centres->insert((info.dwFlags & MONITORINFOF_PRIMARY) != 0 ? centres->begin() : centres->end(), centre);
  }
  return TRUE;
}

// Key release to the fill at the centre of each monitor, the primary first: on the others it is the
// covers' copy of the play surface.
int MonitorKeys(int taps) {
  const HWND frame = FindAnsweringWindow();
  if (frame == nullptr) {
    std::printf("{\"error\":\"the toy is not running\"}\n");
    return 1;
  }
  const HWND surface = ErasedWindow(frame);
  std::vector<POINT> centres;
  ::EnumDisplayMonitors(nullptr, nullptr, &AddMonitorCentre, reinterpret_cast<LPARAM>(&centres));
  HDC screen = ::GetDC(nullptr);
  std::vector<std::vector<double>> times(centres.size());
  for (int i = 0; i < taps; ++i) {
    ::RedrawWindow(surface, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    ::Sleep(100);  // the covers copy the erased picture too
    std::vector<COLORREF> before;
    for (const POINT& centre : centres) before.push_back(::GetPixel(screen, centre.x, centre.y));
    TapKey('A', 0);
    ::Sleep(20);
    const double released = NowMs();
    TapKey('A', KEYEVENTF_KEYUP);
    std::vector<double> changedAt(centres.size(), -1);
    for (std::size_t left = centres.size(); left > 0 && NowMs() - released < 1000;) {
      for (std::size_t m = 0; m < centres.size(); ++m) {
        if (changedAt[m] < 0 && ::GetPixel(screen, centres[m].x, centres[m].y) != before[m]) {
          changedAt[m] = NowMs() - released;
          --left;
        }
      }
    }
    if (changedAt[0] >= 0) {  // a fill of the window colour itself changes nothing
      for (std::size_t m = 0; m < centres.size(); ++m) {
        if (changedAt[m] >= 0) times[m].push_back(changedAt[m]);
      }
    }
    ::Sleep(50);
  }
  ::ReleaseDC(nullptr, screen);
  // The toy's processor time over five quiet seconds once its answers are over.
  DWORD pid = 0;
  ::GetWindowThreadProcessId(frame, &pid);
  const OwnedKernelHandle toy(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
  const auto busyMs = [&toy] {
    FILETIME created, ended, kernel, user;
    if (!toy || !::GetProcessTimes(toy.Get(), &created, &ended, &kernel, &user)) return -1.0;
    const auto ticks = [](FILETIME t) { return (ULONGLONG{t.dwHighDateTime} << 32) | t.dwLowDateTime; };
    return static_cast<double>(ticks(kernel) + ticks(user)) / 10000.0;
  };
  ::Sleep(2000);
  const double busyBefore = busyMs();
  ::Sleep(5000);
  const double idlePercent = busyBefore < 0 ? -1 : (busyMs() - busyBefore) / 5000.0 * 100.0;
  for (std::size_t m = 0; m < centres.size(); ++m) {
    std::printf("{\"measure\":\"monitor_key_release_to_fill\",\"monitor\":%zu,\"monitors\":%zu,\"samples\":%zu,"
                "\"median_ms\":%.2f,\"p95_ms\":%.2f,\"idle_cpu_percent\":%.2f}\n",
                m, centres.size(), times[m].size(), Percentile(times[m], 0.5), Percentile(times[m], 0.95), idlePercent);
  }
  return times[0].empty() ? 1 : 0;
}

// Key release to fill of several programs (mimitap.exe, barewindow.exe by full path) in turns: each
// round starts each program, lets it settle, times `taps` taps on it and closes it again, so that
// all programs see the same load.
int KeyRounds(int rounds, int taps, const std::vector<std::wstring>& programs) {
  std::vector<std::vector<double>> times(programs.size());
  for (int round = 0; round < rounds; ++round) {
    for (std::size_t turn = 0; turn < programs.size(); ++turn) {
      const std::size_t which = (round % 2 == 0 ? turn : programs.size() - 1 - turn);
      {
        StartedProgram started(programs[which]);
        if (!started) {
          std::printf("{\"error\":\"cannot start %s\"}\n", Narrow(programs[which]).c_str());
          return 1;
        }
        for (int waited = 0; waited < 10000 && (started.window == nullptr || !CoversScreen(started.window));
             waited += 10) {
          ::Sleep(10);
          started.window = FindAnsweringWindow();
        }
        ::Sleep(1500);  // the start-up's own work and first sounds are over
        std::vector<double> round_times;
        KeyToFill(taps, 'A', "", &round_times);
        std::printf("{\"round\":%d,\"program\":%zu,\"median_ms\":%.2f}\n", round, which, Percentile(round_times, 0.5));
        std::fflush(stdout);
        times[which].insert(times[which].end(), round_times.begin(), round_times.end());
      }
      ::Sleep(300);  // after the program has gone
    }
  }
  for (std::size_t which = 0; which < programs.size(); ++which) {
    std::printf("{\"measure\":\"key_rounds\",\"program\":\"%s\",\"samples\":%zu,\"median_ms\":%.2f,\"p95_ms\":%.2f}\n",
                Narrow(programs[which]).c_str(), times[which].size(), Percentile(times[which], 0.5),
                Percentile(times[which], 0.95));
  }
  return 0;
}

// Key answers while the hatch scatter draws on the toy, started as the effects menu starts it.
int BusyKeys(int taps) {
  const HWND frame = FindToyFrame();
  if (frame == nullptr) {
    std::printf("{\"error\":\"the toy is not running\"}\n");
    return 1;
  }
  const HWND surface = ::GetDlgItem(frame, 0xE900);
  ::PostMessageW(surface, WM_COMMAND, 131, 0);
  ::Sleep(200);
  const int result = KeyToFill(taps, 'A', "key_release_to_fill_during_effect");
  ::PostMessageW(surface, WM_KEYDOWN, VK_F1, 0);  // a stop request without the menu
  return result;
}

// The host of a benchmark run: sleeps for real or not at all, never stops, keeps the cursor in
// the middle and plays nothing.
class BenchHost final : public EffectHost {
 public:
  explicit BenchHost(bool sleeps) : sleeps_(sleeps) {}
  int steps = 0;
  bool StopRequested() override {
    ++steps;
    return false;
  }
  void Sleep(int milliseconds) override {
    if (sleeps_) ::Sleep(static_cast<DWORD>(milliseconds));
  }
  Point CursorPosition() override { return {ScreenWidth() / 2, ScreenHeight() / 2}; }
  std::int64_t CalendarSeconds() override { return 1700000000; }
  void PlaySound() override {}
  void StopSound() override {}

 private:
  bool sleeps_;
};

int EffectTimes() {
  const HWND window = CreateBenchWindow();
  const struct {
    const char* name;
    EffectRoutine routine;
  } effects[] = {{"HatchScatter", HatchScatter},   {"Sparkle", Sparkle},           {"GrowingCircles", GrowingCircles},
                 {"TwinOrbit", TwinOrbit},         {"BouncingIcon", BouncingIcon}, {"DiagonalRings", DiagonalRings},
                 {"Shockwave", Shockwave}};
  // One whole run of an effect on the window: its time in milliseconds and its steps.
  const auto timedRun = [window](EffectRoutine routine, bool sleeps) {
    GdiCanvas canvas(window);
    BenchHost host(sleeps);
    const double start = NowMs();
    RunEffect(routine, canvas, host);
    Settle(window);
    return std::pair<double, int>(NowMs() - start, host.steps);
  };
  for (const auto& effect : effects) {
    const auto [drawing, steps] = timedRun(effect.routine, false);
    const double running = timedRun(effect.routine, true).first;
    std::printf("{\"measure\":\"effect\",\"effect\":\"%s\",\"width\":%d,\"height\":%d,\"steps\":%d,"
                "\"step_drawing_ms\":%.4f,\"running_s\":%.2f}\n",
                effect.name, ScreenWidth(), ScreenHeight(), steps, drawing / std::max(steps, 1), running / 1000.0);
  }
  ::DestroyWindow(window);
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring command = argc > 1 ? argv[1] : L"";
  if (command == L"fills") return Fills(argc > 2 ? _wtoi(argv[2]) : 20);
  if (command == L"startup" && argc > 2) return Startup(argv[2], L"mimitap.exe", "startup");
  if (command == L"barestartup" && argc > 2) return Startup(argv[2], L"barewindow.exe", "bare_startup");
  if (command == L"barekeys") return KeyToFill(argc > 2 ? _wtoi(argv[2]) : 50, 'A', "bare_key_release_to_fill");
  if (command == L"keys") return KeyToFill(argc > 2 ? _wtoi(argv[2]) : 50, 'A', "key_release_to_fill");
  if (command == L"swallowed") return KeyToFill(argc > 2 ? _wtoi(argv[2]) : 50, VK_LWIN, "swallowed_key_to_fill");
  if (command == L"busykeys") return BusyKeys(argc > 2 ? _wtoi(argv[2]) : 50);
  if (command == L"monitorkeys") return MonitorKeys(argc > 2 ? _wtoi(argv[2]) : 50);
  if (command == L"effects") return EffectTimes();
  if (command == L"keyrounds" && argc > 4) return KeyRounds(_wtoi(argv[2]), _wtoi(argv[3]), {argv + 4, argv + argc});
  if (command == L"startframe" && argc > 3) return StartFrames(_wtoi(argv[2]), {argv + 3, argv + argc});
  std::printf("usage: mimibench fills [n] | startup <folder> | barestartup <folder> | keys [n] | barekeys [n] |"
              " swallowed [n] | busykeys [n] | monitorkeys [n] | effects\n");
  return 2;
}
