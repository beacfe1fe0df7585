// Registry values the tests set up (program compatibility, options) without starting reg.exe.
#include "Commands.h"
#include "Text.h"

#include <windows.h>

#include <cstring>
#include <string>
#include <utility>

namespace {

std::pair<HKEY, std::wstring> splitKey(const std::string& path) {
  const auto slash = path.find('\\');
  const std::string root = path.substr(0, slash);
  const std::wstring rest = slash == std::string::npos ? L"" : widen(path.substr(slash + 1));
  if (root == "HKCU" || root == "HKEY_CURRENT_USER") return {HKEY_CURRENT_USER, rest};
  if (root == "HKLM" || root == "HKEY_LOCAL_MACHINE") return {HKEY_LOCAL_MACHINE, rest};
  throw CommandError("registry root must be HKCU or HKLM: " + path);
}

// An open registry key, closed when it goes out of scope.
class Key {
public:
  Key(const std::string& path, bool create) {
    const auto [root, sub] = splitKey(path);
    const LSTATUS s = create ? RegCreateKeyExW(root, sub.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_, nullptr)
                             : RegOpenKeyExW(root, sub.c_str(), 0, KEY_ALL_ACCESS, &key_);
    if (s != ERROR_SUCCESS) key_ = nullptr;
  }
  ~Key() {
    if (key_) RegCloseKey(key_);
  }
  Key(const Key&) = delete;
  Key& operator=(const Key&) = delete;
  HKEY get() const { return key_; }

private:
  HKEY key_ = nullptr;
};

}  // namespace

void cmdRegSet(const Args& args, JsonWriter& out) {
  const Key key(args.at(0), true);
  if (!key.get()) throw CommandError("cannot create " + args.at(0));
  const std::wstring name = widen(args.at(1));
  const std::string& type = args.at(2);
  const std::string& data = args.at(3);
  LSTATUS s;
  if (type == "dword") {
    const auto v = static_cast<DWORD>(Args::parseNumber(data));
    s = RegSetValueExW(key.get(), name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v), sizeof v);
  } else if (type == "sz" || type == "multi_sz") {
    std::wstring value = widen(data);
    if (type == "multi_sz") {
      for (auto& c : value)
        if (c == L'|') c = L'\0';
      value.push_back(L'\0');
    }
    value.push_back(L'\0');
    s = RegSetValueExW(key.get(), name.c_str(), 0, type == "sz" ? REG_SZ : REG_MULTI_SZ,
                       reinterpret_cast<const BYTE*>(value.data()), static_cast<DWORD>(value.size() * sizeof(wchar_t)));
  } else {
    throw CommandError("type is sz, dword or multi_sz");
  }
  if (s != ERROR_SUCCESS) throw CommandError("RegSetValueEx failed: " + std::to_string(s));
  out.field("set", true);
}

void cmdRegGet(const Args& args, JsonWriter& out) {
  const Key key(args.at(0), false);
  out.field("exists", false);
  if (!key.get()) return;
  const std::wstring name = widen(args.at(1));
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExW(key.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return;
  std::wstring buffer(size / sizeof(wchar_t) + 2, L'\0');
  RegQueryValueExW(key.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size);
  out.field("exists", true);
  if (type == REG_DWORD) {
    DWORD v = 0;
    std::memcpy(&v, buffer.data(), sizeof v);
    out.field("type", "dword").field("value", static_cast<std::int64_t>(v));
  } else if (type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ) {
    std::wstring value(buffer.data(), size / sizeof(wchar_t));
    while (!value.empty() && value.back() == L'\0') value.pop_back();
    for (auto& c : value)
      if (c == L'\0') c = L'|';
    out.field("type", type == REG_MULTI_SZ ? "multi_sz" : "sz").field("value", narrow(value));
  } else {
    out.field("type", static_cast<std::int64_t>(type));
  }
}

void cmdRegDelete(const Args& args, JsonWriter& out) {
  const auto [root, sub] = splitKey(args.at(0));
  LSTATUS s;
  if (args.count() > 1) {
    const Key key(args.at(0), false);
    s = key.get() ? RegDeleteValueW(key.get(), widen(args.at(1)).c_str()) : ERROR_FILE_NOT_FOUND;
  } else {
    s = RegDeleteTreeW(root, sub.c_str());
    if (s == ERROR_SUCCESS) s = RegDeleteKeyW(root, sub.c_str());
    if (s == ERROR_FILE_NOT_FOUND) s = ERROR_SUCCESS;
  }
  out.field("deleted", s == ERROR_SUCCESS);
}

// The screen saver switch as the system reports it to a program starting now (a fresh process:
// Wine keeps such settings per process once read). With 0 or 1, the switch is first set and saved
// to the user's profile, as the control panel would.
void cmdScreenSaver(const Args& args, JsonWriter& out) {
  if (args.count() > 0) {
    const auto active = static_cast<UINT>(args.number(0) != 0);
    SystemParametersInfoW(SPI_SETSCREENSAVEACTIVE, active, nullptr, SPIF_UPDATEINIFILE | SPIF_SENDCHANGE);
  }
  BOOL active = FALSE;
  SystemParametersInfoW(SPI_GETSCREENSAVEACTIVE, 0, &active, 0);
  out.field("active", active != FALSE);
}

namespace {

template <typename Record>
void accessibility(const Args& args, JsonWriter& out, const char* name, UINT get, UINT set) {
  Record record{};
  record.cbSize = sizeof record;
  if (auto flags = args.option(name)) {
    SystemParametersInfoW(get, sizeof record, &record, 0);  // keeps the record's other fields
    record.dwFlags = static_cast<DWORD>(Args::parseNumber(*flags));
    SetLastError(0);
    const bool done = SystemParametersInfoW(set, sizeof record, &record, SPIF_UPDATEINIFILE | SPIF_SENDCHANGE) != FALSE;
    out.field(std::string("set_") + name, done);
    if (!done) out.field(std::string("set_") + name + "_error", GetLastError());
  }
  record = Record{};
  record.cbSize = sizeof record;
  if (SystemParametersInfoW(get, sizeof record, &record, 0))
    out.field(name, static_cast<std::int64_t>(record.dwFlags));
  else
    out.key(name).null();
}

}  // namespace

// The screen-saver-running flag and the flags of the three keyboard accessibility features, as a
// program starting now reads them (run it as a fresh process: Wine keeps such settings per process
// once read). --running=0|1, --sticky=F, --filter=F, --toggle=F first set them.
void cmdSysParams(const Args& args, JsonWriter& out) {
  if (auto running = args.option("running")) {
    BOOL previous = FALSE;
    SetLastError(0);
    const bool done = SystemParametersInfoW(SPI_SETSCREENSAVERRUNNING, Args::parseNumber(*running) != 0, &previous,
                                            0) != FALSE;
    out.field("set_running", done);
    if (!done) out.field("set_running_error", GetLastError());
  }
  accessibility<STICKYKEYS>(args, out, "sticky", SPI_GETSTICKYKEYS, SPI_SETSTICKYKEYS);
  accessibility<FILTERKEYS>(args, out, "filter", SPI_GETFILTERKEYS, SPI_SETFILTERKEYS);
  accessibility<TOGGLEKEYS>(args, out, "toggle", SPI_GETTOGGLEKEYS, SPI_SETTOGGLEKEYS);
  BOOL running = FALSE;
  if (SystemParametersInfoW(SPI_GETSCREENSAVERRUNNING, 0, &running, 0))
    out.field("running", running != FALSE);
  else
    out.key("running").null();
}
