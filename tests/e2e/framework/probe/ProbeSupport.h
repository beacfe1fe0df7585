#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "Report.h"
#include "framework/Window.h"

// The probe's own messages: WMU_START begins a scenario's script once its main frame shows,
// WMU_FINISH ends it; a scenario numbers its other messages from WMU_SCENARIO on.
constexpr UINT WMU_START = WM_APP + 1;
constexpr UINT WMU_FINISH = WM_APP + 2;
constexpr UINT WMU_SCENARIO = WM_APP + 3;

// A scenario's record of what its windows saw, written through Current() while the record lives:
// one run at a time has one.
template <class Derived>
class Record {
 public:
  Record() { current_ = static_cast<Derived*>(this); }
  ~Record() { current_ = nullptr; }
  Record(const Record&) = delete;
  Record& operator=(const Record&) = delete;
  static Derived& Current() { return *current_; }

 private:
  static inline Derived* current_ = nullptr;
};

// The parameters of a top-level window of the probe.
CreateParams TopLevel(const wchar_t* title, RECT rect, DWORD style = WS_OVERLAPPEDWINDOW, HWND owner = nullptr);

// Creates `pane` as the pane of `frame` (a child with the pane's id, which the frame lays out).
bool CreatePane(Window& pane, HWND frame, DWORD extraStyle = 0);

// Whether the pane (child PaneId of `frame`) covers exactly the frame's client area; `detail`
// gets both rectangles when it does not.
bool PaneCoversClient(HWND frame, std::string* detail);

// Position of the first `event` in `events` at or after `from`, or -1.
int IndexOf(const std::vector<std::string>& events, const std::string& event, int from = 0);
int CountOf(const std::vector<std::string>& events, const std::string& event);
std::string Joined(const std::vector<std::string>& events);

// The scenario now running, for the process watchdog's message.
void EnterScenario(const char* name);
const char* CurrentScenario();

void RunLifecycleScenario(Report& report);
void RunRoutingScenario(Report& report);
void RunPreDispatchScenario(Report& report);
void RunDialogScenario(Report& report);
void RunPaneSizingScenario(Report& report);
void RunWorkerScenario(Report& report);
void RunRaiiScenario(Report& report);
