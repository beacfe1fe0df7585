#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "Report.h"

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
