// Starting and ending programs, calling the options library, playing a sound, and system facts.
#include "Commands.h"
#include "Text.h"

#include <windows.h>
#include <psapi.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// Accepts a Windows path or, under Wine, a Unix one.
std::wstring windowsPath(const std::string& path) {
  if (!path.starts_with("/")) return widen(path);
  using ToDos = LPWSTR(CDECL*)(LPCSTR);
  const auto toDos = reinterpret_cast<ToDos>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_dos_file_name")));
  if (!toDos) return widen(path);
  LPWSTR dos = toDos(path.c_str());
  if (!dos) throw CommandError("no Windows path for " + path);
  std::wstring result(dos);
  HeapFree(GetProcessHeap(), 0, dos);
  return result;
}

// Quotes one argument the way CommandLineToArgvW splits it again.
std::wstring quoteArgument(const std::wstring& arg) {
  if (!arg.empty() && arg.find_first_of(L" \t\"") == std::wstring::npos) return arg;
  std::wstring out = L"\"";
  std::size_t backslashes = 0;
  for (const wchar_t c : arg) {
    if (c == L'\\') {
      ++backslashes;
    } else if (c == L'"') {
      out.append(backslashes * 2 + 1, L'\\');
      backslashes = 0;
    } else {
      backslashes = 0;
    }
    out += c;
  }
  out.append(backslashes, L'\\');
  out += L'"';
  return out;
}

// A process handle that is closed on every path out.
class ProcessHandle {
public:
  ProcessHandle(DWORD access, DWORD pid) : handle_(OpenProcess(access, FALSE, pid)) {}
  ~ProcessHandle() {
    if (handle_) CloseHandle(handle_);
  }
  ProcessHandle(const ProcessHandle&) = delete;
  ProcessHandle& operator=(const ProcessHandle&) = delete;
  HANDLE get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }

private:
  HANDLE handle_;
};

// A library loaded for one call.
class Library {
public:
  explicit Library(const std::string& path) : module_(LoadLibraryW(windowsPath(path).c_str())) {
    if (!module_) throw CommandError("cannot load " + path + " (error " + std::to_string(GetLastError()) + ")");
  }
  ~Library() { FreeLibrary(module_); }
  Library(const Library&) = delete;
  Library& operator=(const Library&) = delete;

  template <typename Function>
  Function function(const char* name) const {
    auto* f = reinterpret_cast<void*>(GetProcAddress(module_, name));
    if (!f) throw CommandError(std::string("no export named ") + name);
    return reinterpret_cast<Function>(f);
  }

private:
  HMODULE module_;
};

}  // namespace

void cmdLaunch(const Args& args, JsonWriter& out) {
  std::wstring commandLine = quoteArgument(windowsPath(args.at(0)));
  for (std::size_t i = 1; i < args.count(); ++i) commandLine += L" " + quoteArgument(widen(args.at(i)));
  std::wstring cwd;
  if (auto dir = args.option("cwd")) cwd = windowsPath(*dir);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  // --at=X,Y: where the first window made with CW_USEDEFAULT goes, as the shell asks for a program
  // started from another monitor.
  if (auto at = args.option("at")) {
    long x = 0, y = 0;
    if (std::sscanf(at->c_str(), "%ld,%ld", &x, &y) != 2) throw CommandError("--at wants X,Y");
    startup.dwFlags |= STARTF_USEPOSITION;
    startup.dwX = static_cast<DWORD>(x), startup.dwY = static_cast<DWORD>(y);
  }
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                      cwd.empty() ? nullptr : cwd.c_str(), &startup, &info))
    throw CommandError("CreateProcess failed (error " + std::to_string(GetLastError()) + ")");
  {
    JsonWriter started;
    started.field("event", "started").field("pid", info.dwProcessId).field("tid", info.dwThreadId);
    started.field("tick", static_cast<std::int64_t>(GetTickCount()));
    emitLine(started.finish());
  }
  CloseHandle(info.hThread);
  WaitForSingleObject(info.hProcess, INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(info.hProcess, &code);
  CloseHandle(info.hProcess);
  out.field("pid", info.dwProcessId);
  out.field("exit", static_cast<std::int64_t>(code));
  out.field("tick", static_cast<std::int64_t>(GetTickCount()));
}

void cmdKill(const Args& args, JsonWriter& out) {
  const auto pid = static_cast<DWORD>(args.number(0));
  const auto code = static_cast<UINT>(args.count() > 1 ? args.number(1) : 1);
  ProcessHandle process(PROCESS_TERMINATE | SYNCHRONIZE, pid);
  if (!process) throw CommandError("no such process: " + args.at(0));
  const bool done = TerminateProcess(process.get(), code) != FALSE;
  if (done) WaitForSingleObject(process.get(), 5000);
  out.field("terminated", done);
}

void cmdWaitProcess(const Args& args, JsonWriter& out) {
  const auto pid = static_cast<DWORD>(args.number(0));
  const auto ms = static_cast<DWORD>(args.option("ms", 10000));
  ProcessHandle process(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, pid);
  if (!process) {
    out.field("running", false);
    return;
  }
  const bool ended = WaitForSingleObject(process.get(), ms) == WAIT_OBJECT_0;
  out.field("running", !ended);
  if (ended) {
    DWORD code = 0;
    GetExitCodeProcess(process.get(), &code);
    out.field("exit", static_cast<std::int64_t>(code));
  }
}

void cmdProcesses(const Args&, JsonWriter& out) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) throw CommandError("no process snapshot");
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  out.key("processes").beginArray();
  for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
    out.beginObject();
    out.field("pid", entry.th32ProcessID);
    out.field("ppid", entry.th32ParentProcessID);
    out.field("exe", narrow(entry.szExeFile));
    out.field("threads", entry.cntThreads);
    out.endObject();
  }
  out.endArray();
  CloseHandle(snapshot);
}

// The threads of a process with their priorities (THREAD_PRIORITY_...), read across processes.
void cmdThreads(const Args& args, JsonWriter& out) {
  const auto pid = static_cast<DWORD>(Args::parseNumber(args.at(0)));
  const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  if (snapshot == INVALID_HANDLE_VALUE) throw CommandError("no thread snapshot");
  THREADENTRY32 entry{};
  entry.dwSize = sizeof entry;
  out.key("threads").beginArray();
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
    if (entry.th32OwnerProcessID != pid) continue;
    const HANDLE thread = OpenThread(THREAD_QUERY_INFORMATION, FALSE, entry.th32ThreadID);
    out.beginObject().field("tid", entry.th32ThreadID).field("priority", GetThreadPriority(thread)).endObject();
    if (thread) CloseHandle(thread);
  }
  out.endArray();
  CloseHandle(snapshot);
}

// The kernel handles `pid` holds, from the system's list of every process's handles (Wine answers
// GetProcessHandleCount with 0); -1 when the list cannot be had.
long long countHandles(DWORD pid) {
  constexpr ULONG SystemHandleInformation = 16;
  constexpr LONG InfoLengthMismatch = static_cast<LONG>(0xC0000004);
  struct Entry {
    USHORT processId;
    USHORT creatorBackTraceIndex;
    UCHAR objectType;
    UCHAR attributes;
    USHORT value;
    PVOID object;
    ULONG grantedAccess;
  };
  struct Table {
    ULONG count;
    Entry entries[1];
  };
  using Query = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
  const auto query = reinterpret_cast<Query>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
  if (!query) return -1;
  std::vector<unsigned char> buffer(1 << 16);
  for (;;) {
    ULONG needed = 0;
    const LONG status = query(SystemHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &needed);
    if (status == InfoLengthMismatch) {
      buffer.resize(std::max<std::size_t>(buffer.size() * 2, needed + 4096));
      continue;
    }
    if (status < 0) return -1;
    const auto* table = reinterpret_cast<const Table*>(buffer.data());
    long long count = 0;
    for (ULONG i = 0; i < table->count; ++i) count += table->entries[i].processId == static_cast<USHORT>(pid);
    return count;
  }
}

// What a process holds now: kernel handles, threads, committed memory; for leak checks.
void cmdProcStats(const Args& args, JsonWriter& out) {
  const auto pid = static_cast<DWORD>(Args::parseNumber(args.at(0)));
  const HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
  if (!process) throw CommandError("cannot open the process");
  DWORD counted = 0;
  GetProcessHandleCount(process, &counted);
  const long long handles = counted != 0 ? static_cast<long long>(counted) : countHandles(pid);
  PROCESS_MEMORY_COUNTERS_EX memory{};
  memory.cb = sizeof memory;
  GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory);
  CloseHandle(process);
  int threads = 0;
  const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot != INVALID_HANDLE_VALUE) {
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
      if (entry.th32ProcessID == pid) threads = static_cast<int>(entry.cntThreads);
    }
    CloseHandle(snapshot);
  }
  out.field("handles", handles);
  out.field("threads", threads);
  out.field("committed", static_cast<std::int64_t>(memory.PagefileUsage));
  out.field("working_set", static_cast<std::int64_t>(memory.WorkingSetSize));
}

// Values the library did not write keep this, so a test can tell "not written" from 0.
constexpr int unwrittenInt = 0x5EEDF00D;

void cmdIniInfo(const Args& args, JsonWriter& out) {
  const Library library(args.at(0));
  using IniInfo = int(__cdecl*)(char*, int*, int*, int*, int*, int*);
  const auto ininfo = library.function<IniInfo>("ininfo");
  char path[256] = {};
  int v[5] = {unwrittenInt, unwrittenInt, unwrittenInt, unwrittenInt, unwrittenInt};
  const int result = ininfo(path, &v[0], &v[1], &v[2], &v[3], &v[4]);
  const std::size_t length = strnlen(path, sizeof path);
  const std::string_view bytes(path, length);
  out.field("result", result);
  out.field("path", fromCodePage(bytes, CP_ACP));
  out.field("path_hex", hexBytes(bytes));
  out.field("terminated", length < sizeof path);
  out.key("values").beginArray();
  for (int x : v) out.value(x);
  out.endArray();
  out.field("unwritten", unwrittenInt);
}

void cmdOsVer(const Args& args, JsonWriter& out) {
  const Library library(args.at(0));
  using OsVer = int(__cdecl*)();
  out.field("result", library.function<OsVer>("osver")());
}

// Runs the library's "option" or "about" dialog without a window of its own and ends this process
// with the dialog's end code, so that a test drives the dialog from outside and reads the code as
// the exit code.
void cmdRunDialog(const Args& args, JsonWriter&) {
  const Library library(args.at(0));
  using DialogExport = int(__cdecl*)(HWND);
  const int code = library.function<DialogExport>(args.at(1).c_str())(nullptr);
  ExitProcess(static_cast<UINT>(code));
}

void cmdPlaySound(const Args& args, JsonWriter& out) {
  static HMODULE winmm = LoadLibraryW(L"winmm.dll");  // loaded only here, so other commands never trace it
  if (!winmm) throw CommandError("cannot load winmm.dll");
  using PlaySoundFn = BOOL(WINAPI*)(LPCSTR, HMODULE, DWORD);
  const auto playSound =
      reinterpret_cast<PlaySoundFn>(reinterpret_cast<void*>(GetProcAddress(winmm, "PlaySoundA")));
  const std::string& name = args.at(0);
  std::string ansi;
  if (name != "-") {
    const std::wstring wide = widen(name);
    const int n = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    ansi.assign(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, ansi.data(), n, nullptr, nullptr);
  }
  const auto flags = static_cast<DWORD>(args.number(1));
  const DWORD tick = GetTickCount();
  const BOOL result = playSound(name == "-" ? nullptr : ansi.c_str(), nullptr, flags);
  out.field("result", result != FALSE).field("tick", tick);
  const auto wait = args.option("wait", 0);
  if (wait > 0) Sleep(static_cast<DWORD>(wait));
}

void cmdSystem(const Args&, JsonWriter& out) {
  out.field("acp", GetACP());
  out.field("oemcp", GetOEMCP());
  out.field("user_lcid", GetUserDefaultLCID());
  out.field("system_lcid", GetSystemDefaultLCID());
  out.field("ui_language", static_cast<unsigned>(GetUserDefaultUILanguage()));
  wchar_t locale[LOCALE_NAME_MAX_LENGTH] = {};
  GetUserDefaultLocaleName(locale, LOCALE_NAME_MAX_LENGTH);
  out.field("locale", narrow(locale));
  OSVERSIONINFOW version{};
  version.dwOSVersionInfoSize = sizeof version;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  GetVersionExW(&version);
#pragma GCC diagnostic pop
  out.key("version").beginArray().value(version.dwMajorVersion).value(version.dwMinorVersion)
      .value(version.dwBuildNumber).value(version.dwPlatformId).endArray();
  out.field("tick", static_cast<std::int64_t>(GetTickCount()));
  out.field("pid", GetCurrentProcessId());
  wchar_t cwd[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, cwd);
  out.field("cwd", narrow(cwd));
}

void cmdSleep(const Args& args, JsonWriter& out) {
  const auto ms = args.number(0);
  if (ms > 0) Sleep(static_cast<DWORD>(ms));
  out.field("tick", static_cast<std::int64_t>(GetTickCount()));
}

namespace {
HANDLE heldFile = INVALID_HANDLE_VALUE;
}

// Keeps a file open for reading while letting no one else write it (as an editor or a scanner
// may), until releasefile.
void cmdHoldFile(const Args& args, JsonWriter& out) {
  if (heldFile != INVALID_HANDLE_VALUE) CloseHandle(heldFile);
  heldFile = CreateFileW(windowsPath(args.at(0)).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (heldFile == INVALID_HANDLE_VALUE) throw CommandError("cannot open " + args.at(0));
  out.field("held", true);
}

void cmdReleaseFile(const Args&, JsonWriter& out) {
  if (heldFile != INVALID_HANDLE_VALUE) CloseHandle(heldFile);
  heldFile = INVALID_HANDLE_VALUE;
  out.field("held", false);
}

void cmdChdir(const Args& args, JsonWriter& out) {
  if (!SetCurrentDirectoryW(windowsPath(args.at(0)).c_str())) throw CommandError("cannot enter " + args.at(0));
  wchar_t cwd[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, cwd);
  out.field("cwd", narrow(cwd));
}

// Suspends or resumes one thread of another process (e.g. a program's interface thread, whose id
// the window list reports as "tid"). Prints the thread's previous suspend count.
void cmdThread(const Args& args, JsonWriter& out) {
  const auto tid = static_cast<DWORD>(args.number(0));
  const std::string& action = args.at(1);
  HANDLE thread = OpenThread(THREAD_SUSPEND_RESUME, FALSE, tid);
  if (!thread) throw CommandError("no such thread: " + args.at(0));
  DWORD previous = static_cast<DWORD>(-1);
  if (action == "suspend") {
    previous = SuspendThread(thread);
  } else if (action == "resume") {
    previous = ResumeThread(thread);
  } else {
    CloseHandle(thread);
    throw CommandError("thread: action is suspend or resume");
  }
  CloseHandle(thread);
  if (previous == static_cast<DWORD>(-1)) throw CommandError("thread " + action + " failed");
  out.field("previous", previous);
}

// Makes another process die of an unhandled exception: a thread started there at address 0
// faults on its first instruction, as a stray call through a null pointer would.
void cmdCrash(const Args& args, JsonWriter& out) {
  const auto pid = static_cast<DWORD>(args.number(0));
  ProcessHandle process(PROCESS_CREATE_THREAD | PROCESS_QUERY_INFORMATION | PROCESS_VM_OPERATION |
                            PROCESS_VM_WRITE | PROCESS_VM_READ | SYNCHRONIZE,
                        pid);
  if (!process) throw CommandError("no such process: " + args.at(0));
  DWORD tid = 0;
  HANDLE thread = CreateRemoteThread(process.get(), nullptr, 0, nullptr, nullptr, 0, &tid);
  if (!thread) throw CommandError("CreateRemoteThread failed (error " + std::to_string(GetLastError()) + ")");
  CloseHandle(thread);
  const auto ms = static_cast<DWORD>(args.option("ms", 10000));
  const bool ended = WaitForSingleObject(process.get(), ms) == WAIT_OBJECT_0;
  out.field("tid", tid).field("ended", ended);
  if (ended) {
    DWORD code = 0;
    GetExitCodeProcess(process.get(), &code);
    out.field("exit", static_cast<std::int64_t>(code));
  }
}
