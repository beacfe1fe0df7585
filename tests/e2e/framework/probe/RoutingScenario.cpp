// Command routing: pane, then frame, then application; posted commands go through the real loop.
#include <map>
#include <span>
#include <string>

#include "ProbeSupport.h"
#include "ScenarioApp.h"
#include "framework/FrameWindow.h"
#include "framework/MessageTable.h"

namespace {

// Which table each command is in.
constexpr UINT ID_PANE_AND_FRAME = 3001;
constexpr UINT ID_FRAME_ONLY = 3002;
constexpr UINT ID_FRAME_AND_APP = 3003;
constexpr UINT ID_APP_ONLY = 3004;
constexpr UINT ID_PANE_ONLY = 3005;
constexpr UINT ID_NOWHERE = 3099;

struct Hits : Record<Hits> {
  std::map<std::string, int> byHandler;
  int Total() const {
    int total = 0;
    for (const auto& [name, count] : byHandler) total += count;
    return total;
  }
  int Of(const std::string& name) const {
    const auto found = byHandler.find(name);
    return found == byHandler.end() ? 0 : found->second;
  }
  int sendNowhereTotalChange = -1;
  LRESULT sendNowhereResult = -1;
  bool aliveAfterNowhere = false;
};

void Hit(const char* name) { ++Hits::Current().byHandler[name]; }

class RoutePane final : public MessageWindow<RoutePane> {
 public:
  static std::span<const MessageEntry<RoutePane>> MessageTable() { return {}; }
  static std::span<const CommandEntry<RoutePane>> CommandTable() {
    static constexpr CommandEntry<RoutePane> table[] = {
        {ID_PANE_AND_FRAME, &RoutePane::OnPaneAndFrame},
        {ID_PANE_ONLY, &RoutePane::OnPaneOnly},
    };
    return table;
  }

 private:
  void OnPaneAndFrame() { Hit("pane:pane-and-frame"); }
  void OnPaneOnly() { Hit("pane:pane-only"); }
};

class RouteFrame final : public MessageWindow<RouteFrame, FrameWindow> {
 public:
  static std::span<const MessageEntry<RouteFrame>> MessageTable() {
    static constexpr MessageEntry<RouteFrame> table[] = {
        {WM_CREATE, &RouteFrame::OnCreate},
        {WMU_FINISH, &RouteFrame::OnFinish},
    };
    return table;
  }
  static std::span<const CommandEntry<RouteFrame>> CommandTable() {
    static constexpr CommandEntry<RouteFrame> table[] = {
        {ID_PANE_AND_FRAME, &RouteFrame::OnPaneAndFrame},
        {ID_FRAME_ONLY, &RouteFrame::OnFrameOnly},
        {ID_FRAME_AND_APP, &RouteFrame::OnFrameAndApp},
    };
    return table;
  }

 private:
  LRESULT OnCreate(const Message& message) { return CreatePane(pane, Handle()) ? Default(message) : -1; }

  LRESULT OnFinish(const Message&) {
    // Sent, not posted: the answer and the state right after it are what is checked.
    Hits& hits = Hits::Current();
    const int before = hits.Total();
    hits.sendNowhereResult = ::SendMessageW(Handle(), WM_COMMAND, MAKEWPARAM(ID_NOWHERE, 0), 0);
    hits.sendNowhereTotalChange = hits.Total() - before;
    hits.aliveAfterNowhere = ::IsWindow(Handle()) != FALSE && ::IsWindow(Pane()) != FALSE;
    ::PostMessageW(Handle(), WM_CLOSE, 0, 0);
    return 0;
  }

  void OnPaneAndFrame() { Hit("frame:pane-and-frame"); }
  void OnFrameOnly() { Hit("frame:frame-only"); }
  void OnFrameAndApp() { Hit("frame:frame-and-app"); }

  RoutePane pane;
};

class RouteApp final : public ScenarioApp {
 public:
  bool HandleOwnCommand(UINT commandId) override { return InvokeCommand(*this, commandId); }
  static std::span<const CommandEntry<RouteApp>> CommandTable() {
    static constexpr CommandEntry<RouteApp> table[] = {
        {ID_FRAME_AND_APP, &RouteApp::OnFrameAndApp},
        {ID_APP_ONLY, &RouteApp::OnAppOnly},
    };
    return table;
  }

 protected:
  bool InitInstance() override {
    auto* frame = new RouteFrame;
    if (!ShowMainFrame(frame, TopLevel(L"fwprobe routing", {60, 60, 400, 300}))) return false;
    const HWND window = frame->Handle();
    for (const UINT id : {ID_PANE_AND_FRAME, ID_FRAME_ONLY, ID_FRAME_AND_APP, ID_APP_ONLY, ID_NOWHERE}) {
      ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, 0), 0);
    }
    ::PostMessageW(frame->Pane(), WM_COMMAND, MAKEWPARAM(ID_PANE_ONLY, 0), 0);
    ::PostMessageW(window, WMU_FINISH, 0, 0);
    return true;
  }

 private:
  void OnFrameAndApp() { Hit("app:frame-and-app"); }
  void OnAppOnly() { Hit("app:app-only"); }
};

}  // namespace

void RunRoutingScenario(Report& report) {
  Hits counts;
  RouteApp app;
  app.RunWithin(10000);

  std::string seen = app.TimedOut() ? "timed out; handlers run: " : "handlers run: ";
  for (const auto& [name, count] : counts.byHandler) seen += Format("%s x%d ", name.c_str(), count);

  report.Check("route.pane-before-frame",
               counts.Of("pane:pane-and-frame") == 1 && counts.Of("frame:pane-and-frame") == 0, seen);
  report.Check("route.frame-only", counts.Of("frame:frame-only") == 1, seen);
  report.Check("route.frame-before-app",
               counts.Of("frame:frame-and-app") == 1 && counts.Of("app:frame-and-app") == 0, seen);
  report.Check("route.app-only", counts.Of("app:app-only") == 1, seen);
  report.Check("route.posted-to-pane", counts.Of("pane:pane-only") == 1, seen);
  report.Check("route.unknown-goes-nowhere",
               counts.sendNowhereTotalChange == 0 && counts.sendNowhereResult == 0 && counts.aliveAfterNowhere &&
                   counts.Total() == 5,
               Format("sent: %d handlers ran, answer %lld, windows alive %d; ", counts.sendNowhereTotalChange,
                      static_cast<long long>(counts.sendNowhereResult), counts.aliveAfterNowhere ? 1 : 0) +
                   seen);
  report.Check("route.loop-ended-by-quit", app.EndedByQuit(), app.HowItEnded());
}
