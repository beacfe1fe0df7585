// mimidrive: commands from the command line (`mimidrive.exe windows --class=Foo`, several separated
// by a lone ";") or over standard input (`mimidrive.exe serve`, one tab-separated command per
// line). Every reply is one JSON line with "ok"; failures carry "error".
#include "Commands.h"
#include "Text.h"

#include <windows.h>
#include <shellapi.h>

#include <array>
#include <exception>
#include <string>
#include <vector>

namespace {

constexpr std::array commands{
    CommandEntry{"windows", cmdWindows, "[--title=T] [--class=C] [--pid=P] [--visible] top-level windows"},
    CommandEntry{"children", cmdChildren, "HWND [--class=C] [--id=N] [--visible] all descendants"},
    CommandEntry{"window", cmdWindow, "HWND  one window"},
    CommandEntry{"foreground", cmdForeground, "foreground, active and focus windows"},
    CommandEntry{"text", cmdText, "HWND  text through WM_GETTEXT (edit controls)"},
    CommandEntry{"send", cmdSend, "HWND MSG [WPARAM] [LPARAM] [--timeout=MS]  SendMessageTimeout"},
    CommandEntry{"post", cmdPost, "HWND MSG [WPARAM] [LPARAM]  PostMessage"},
    CommandEntry{"activate", cmdActivate, "HWND|desktop  SetForegroundWindow"},
    CommandEntry{"screen", cmdScreen, "screen and work area size"},
    CommandEntry{"clip", cmdClip, "[release]  cursor clip rectangle (after releasing it)"},
    CommandEntry{"keystate", cmdKeyState, "VK  whether the key is down now"},
    CommandEntry{"threads", cmdThreads, "PID  a process's threads and their priorities"},
    CommandEntry{"monitors", cmdMonitors, "every monitor and the virtual screen"},
    CommandEntry{"cursor", cmdCursor, "cursor position"},
    CommandEntry{"pixels", cmdPixels, "X Y [X Y ...]  colours as [r,g,b]"},
    CommandEntry{"screenshot", cmdScreenshot, "FILE.bmp [X Y W H]"},
    CommandEntry{"drawtext", cmdDrawText, "FILE.bmp TEXT [--scale=N] [--face=F --points=P]  TEXT in the menu font (or F), black on white"},
    CommandEntry{"cursorinfo", cmdCursorInfo, "the cursor shown now: showing, handle, position"},
    CommandEntry{"showcursor", cmdShowCursor, "FILE.cur|- [--ms=N]  wear a cursor file's picture under the pointer"},
    CommandEntry{"key", cmdKey, "VK down|up|tap|hold [--ms=N] [--first=MS] [--every=MS] [--gap=MS]"},
    CommandEntry{"move", cmdMove, "X Y [--steps=N] [--gap=MS] | X Y --virtual  absolute move (--virtual: on any monitor)"},
    CommandEntry{"button", cmdButton, "left|right|middle down|up|click [--gap=MS] [--at=X,Y]"},
    CommandEntry{"wheel", cmdWheel, "DELTA  positive turns away from the user"},
    CommandEntry{"locks", cmdLocks, "Caps Lock, Num Lock, Scroll Lock, Insert toggles"},
    CommandEntry{"watchkeys", cmdWatchKeys, "[--ms=N]  low-level keyboard hook until N ms or a stdin line"},
    CommandEntry{"dialogs", cmdDialogs, "[--pid=P]  #32770 windows with text, icon, buttons"},
    CommandEntry{"press", cmdPress, "HWND ID [--click]  press a dialog button"},
    CommandEntry{"messagebox", cmdMessageBox, "TEXT [CAPTION] [FLAGS]  show one and print the answer"},
    CommandEntry{"launch", cmdLaunch, "EXE [--cwd=DIR] [--at=X,Y] [-- ARGS...]  start, print pid, wait, print exit"},
    CommandEntry{"kill", cmdKill, "PID [CODE]  TerminateProcess"},
    CommandEntry{"processes", cmdProcesses, "running processes"},
    CommandEntry{"procstats", cmdProcStats, "PID  handles, threads and committed memory of a process"},
    CommandEntry{"waitprocess", cmdWaitProcess, "PID [--ms=N]  wait for a process to end"},
    CommandEntry{"thread", cmdThread, "TID suspend|resume  suspend or resume a thread"},
    CommandEntry{"crash", cmdCrash, "PID [--ms=N]  a thread at address 0 in the process; wait for its end"},
    CommandEntry{"ininfo", cmdIniInfo, "DLL  call ininfo(char[256], int*, int*, int*, int*, int*)"},
    CommandEntry{"rundialog", cmdRunDialog, "DLL option|about  run the dialog; exit with its end code"},
    CommandEntry{"osver", cmdOsVer, "DLL  call osver()"},
    CommandEntry{"playsound", cmdPlaySound, "PATH|- FLAGS  PlaySoundA ('-' = NULL)"},
    CommandEntry{"system", cmdSystem, "code pages, locale, version, tick count"},
    CommandEntry{"screensaver", cmdScreenSaver, "[0|1]  the screen saver switch (set and saved first)"},
    CommandEntry{"sysparams", cmdSysParams, "[--running=0|1] [--sticky=F] [--filter=F] [--toggle=F]  screen-saver-running flag, accessibility flags"},
    CommandEntry{"sleep", cmdSleep, "MS"},
    CommandEntry{"holdfile", cmdHoldFile, "PATH  keep a file open, readable by others but not writable"},
    CommandEntry{"releasefile", cmdReleaseFile, "close the file holdfile keeps open"},
    CommandEntry{"cd", cmdChdir, "DIR  current directory of the driver"},
    CommandEntry{"regset", cmdRegSet, "KEY NAME sz|dword|multi_sz DATA  (HKCU\\... or HKLM\\...; multi_sz split at |)"},
    CommandEntry{"regget", cmdRegGet, "KEY NAME"},
    CommandEntry{"regdelete", cmdRegDelete, "KEY [NAME]  a value, or the key with its subkeys"},
};

HANDLE stdoutHandle() {
  static const HANDLE h = GetStdHandle(STD_OUTPUT_HANDLE);
  return h;
}

std::string runCommand(const std::vector<std::string>& words) {
  JsonWriter reply;
  try {
    const Args args(words);
    for (const auto& entry : commands) {
      if (entry.name == args.command()) {
        reply.field("ok", true);
        entry.handler(args, reply);
        return reply.finish();
      }
    }
    throw CommandError("unknown command: " + args.command());
  } catch (const std::exception& e) {
    JsonWriter failure;
    failure.field("ok", false).field("error", e.what());
    return failure.finish();
  }
}

std::vector<std::string> splitTabs(const std::string& line) {
  std::vector<std::string> words;
  std::size_t start = 0;
  for (;;) {
    const auto tab = line.find('\t', start);
    words.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
    if (tab == std::string::npos) break;
    start = tab + 1;
  }
  return words;
}

// Reads commands until end of input; each reply line is flushed before the next read.
int serve() {
  const HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
  std::string pending;
  char buf[4096];
  for (;;) {
    std::size_t nl;
    while ((nl = pending.find('\n')) != std::string::npos) {
      std::string line = pending.substr(0, nl);
      pending.erase(0, nl + 1);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (line.empty()) continue;
      if (line == "exit") return 0;
      emitLine(runCommand(splitTabs(line)));
    }
    DWORD got = 0;
    if (!ReadFile(in, buf, sizeof buf, &got, nullptr) || got == 0) return 0;
    pending.append(buf, got);
  }
}

void usage() {
  std::string text = "usage: mimidrive.exe COMMAND [ARGS] [; COMMAND [ARGS]...]   or   mimidrive.exe serve\n";
  for (const auto& entry : commands) {
    text += "  ";
    text += entry.name;
    text += ' ';
    text += entry.usage;
    text += '\n';
  }
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_ERROR_HANDLE), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

}  // namespace

void emitLine(const std::string& line) {
  const std::string out = line + "\n";
  DWORD written = 0;
  WriteFile(stdoutHandle(), out.data(), static_cast<DWORD>(out.size()), &written, nullptr);
}

int main() {
  SetConsoleOutputCP(CP_UTF8);
  int argc = 0;
  LPWSTR* argvW = CommandLineToArgvW(GetCommandLineW(), &argc);
  std::vector<std::string> words;
  for (int i = 1; i < argc; ++i) words.push_back(narrow(argvW[i]));
  LocalFree(argvW);

  if (words.empty() || words[0] == "help" || words[0] == "--help") {
    usage();
    return words.empty() ? 2 : 0;
  }
  if (words[0] == "serve") return serve();
  // Several commands in one process: `cmd1 args ; cmd2 args` (a lone ";" separates them, except
  // after "--", where the words belong to the command, e.g. a launched program's arguments).
  int failures = 0;
  std::vector<std::string> command;
  bool literal = false;
  for (std::size_t i = 0; i <= words.size(); ++i) {
    if (i < words.size() && (literal || words[i] != ";")) {
      literal = literal || words[i] == "--";
      command.push_back(words[i]);
      continue;
    }
    literal = false;
    if (command.empty()) continue;
    const std::string reply = runCommand(command);
    emitLine(reply);
    if (!reply.starts_with("{\"ok\":true")) ++failures;
    command.clear();
  }
  return failures ? 1 : 0;
}
