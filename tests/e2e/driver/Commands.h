// Every command the driver understands. Each fills the reply object; a few stream extra lines first.
#pragma once

#include "Args.h"
#include "JsonWriter.h"

#include <string_view>

using CommandHandler = void (*)(const Args&, JsonWriter&);

struct CommandEntry {
  std::string_view name;
  CommandHandler handler;
  std::string_view usage;
};

// Writes one finished line to standard output and flushes it (used by streaming commands).
void emitLine(const std::string& line);

// Windows
void cmdWindows(const Args&, JsonWriter&);
void cmdChildren(const Args&, JsonWriter&);
void cmdWindow(const Args&, JsonWriter&);
void cmdForeground(const Args&, JsonWriter&);
void cmdText(const Args&, JsonWriter&);
void cmdSend(const Args&, JsonWriter&);
void cmdPost(const Args&, JsonWriter&);
void cmdActivate(const Args&, JsonWriter&);
// Screen and cursor
void cmdScreen(const Args&, JsonWriter&);
void cmdClip(const Args&, JsonWriter&);
void cmdKeyState(const Args&, JsonWriter&);
void cmdThreads(const Args&, JsonWriter&);
void cmdMonitors(const Args&, JsonWriter&);
void cmdCursor(const Args&, JsonWriter&);
void cmdPixels(const Args&, JsonWriter&);
void cmdScreenshot(const Args&, JsonWriter&);
void cmdDrawText(const Args&, JsonWriter&);
void cmdCursorInfo(const Args&, JsonWriter&);
void cmdShowCursor(const Args&, JsonWriter&);
// Input
void cmdKey(const Args&, JsonWriter&);
void cmdMove(const Args&, JsonWriter&);
void cmdButton(const Args&, JsonWriter&);
void cmdWheel(const Args&, JsonWriter&);
void cmdLocks(const Args&, JsonWriter&);
void cmdWatchKeys(const Args&, JsonWriter&);
// Dialogs
void cmdDialogs(const Args&, JsonWriter&);
void cmdPress(const Args&, JsonWriter&);
void cmdMessageBox(const Args&, JsonWriter&);
// Processes, libraries, sound, registry, system
void cmdLaunch(const Args&, JsonWriter&);
void cmdKill(const Args&, JsonWriter&);
void cmdProcesses(const Args&, JsonWriter&);
void cmdProcStats(const Args&, JsonWriter&);
void cmdWaitProcess(const Args&, JsonWriter&);
void cmdThread(const Args&, JsonWriter&);
void cmdCrash(const Args&, JsonWriter&);
void cmdIniInfo(const Args&, JsonWriter&);
void cmdRunDialog(const Args&, JsonWriter&);
void cmdHoldFile(const Args&, JsonWriter&);
void cmdReleaseFile(const Args&, JsonWriter&);
void cmdOsVer(const Args&, JsonWriter&);
void cmdPlaySound(const Args&, JsonWriter&);
void cmdSystem(const Args&, JsonWriter&);
void cmdScreenSaver(const Args&, JsonWriter&);
void cmdSysParams(const Args&, JsonWriter&);
void cmdSleep(const Args&, JsonWriter&);
void cmdChdir(const Args&, JsonWriter&);
void cmdRegSet(const Args&, JsonWriter&);
void cmdRegGet(const Args&, JsonWriter&);
void cmdRegDelete(const Args&, JsonWriter&);
