// The pane follows the frame's client area through moves, resizes, maximise, minimise and a menu
// that wraps; and a frame that refuses creation is gone exactly once.
#include <span>
#include <string>
#include <vector>

#include "DeletionWatch.h"
#include "ProbeIds.h"
#include "ProbeSupport.h"
#include "ScenarioApp.h"
#include "framework/FrameWindow.h"
#include "framework/MessageTable.h"

namespace {

constexpr UINT WMU_STEP = WMU_SCENARIO;
constexpr UINT WMU_CHECK = WMU_SCENARIO + 1;

struct Step {
  const char* name;
  int x, y, width, height;  // a SetWindowPos, or a ShowWindow when width is 0
  int show;
};

// Each step is checked once the loop has run what the step queued.
constexpr Step Steps[] = {
    {"pane.fits-300x200", 100, 100, 300, 200, 0},
    {"pane.fits-640x480", 50, 40, 640, 480, 0},
    {"pane.fits-narrow-with-wrapped-menu", 0, 0, 123, 457, 0},
    {"pane.fits-1000x700", 10, 10, 1000, 700, 0},
    {"pane.fits-maximized", 0, 0, 0, 0, SW_MAXIMIZE},
    {"pane.fits-restored", 0, 0, 0, 0, SW_RESTORE},
    {nullptr, 0, 0, 0, 0, SW_MINIMIZE},
    {"pane.fits-restored-from-minimized", 0, 0, 0, 0, SW_RESTORE},
    {"pane.fits-menu-removed", 0, 0, 0, 0, -1},
};
constexpr int StepCount = static_cast<int>(std::size(Steps));

struct Outcome : Record<Outcome> {
  std::vector<std::string> detail = std::vector<std::string>(StepCount, "never reached");
  std::vector<bool> fits = std::vector<bool>(StepCount, false);
  bool zoomedWhenMaximized = false;
};

class SizedFrame final : public MessageWindow<SizedFrame, FrameWindow> {
 public:
  static std::span<const MessageEntry<SizedFrame>> MessageTable() {
    static constexpr MessageEntry<SizedFrame> table[] = {
        {WM_CREATE, &SizedFrame::OnCreate},
        {WMU_STEP, &SizedFrame::OnStep},
        {WMU_CHECK, &SizedFrame::OnCheck},
    };
    return table;
  }

 private:
  LRESULT OnCreate(const Message& message) { return CreatePane(pane, Handle(), WS_BORDER) ? Default(message) : -1; }

  LRESULT OnStep(const Message& message) {
    const int index = static_cast<int>(message.wParam);
    if (index >= StepCount) {
      ::PostMessageW(Handle(), WM_CLOSE, 0, 0);
      return 0;
    }
    const Step& step = Steps[index];
    if (step.show == -1) {
      const HMENU menu = ::GetMenu(Handle());
      ::SetMenu(Handle(), nullptr);
      ::DestroyMenu(menu);
    } else if (step.show != 0) {
      ::ShowWindow(Handle(), step.show);
      if (step.show == SW_MAXIMIZE) Outcome::Current().zoomedWhenMaximized = ::IsZoomed(Handle()) != FALSE;
    } else {
      ::SetWindowPos(Handle(), nullptr, step.x, step.y, step.width, step.height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ::PostMessageW(Handle(), WMU_CHECK, message.wParam, 0);
    return 0;
  }

  LRESULT OnCheck(const Message& message) {
    const auto index = static_cast<std::size_t>(message.wParam);
    Outcome& outcome = Outcome::Current();
    outcome.fits[index] = PaneCoversClient(Handle(), &outcome.detail[index]);
    ::PostMessageW(Handle(), WMU_STEP, message.wParam + 1, 0);
    return 0;
  }

  Window pane;
};

class SizingApp final : public ScenarioApp {
 protected:
  bool InitInstance() override {
    auto* frame = new SizedFrame;
    CreateParams params = TopLevel(L"fwprobe sizing", {20, 20, 480, 320});
    params.menuOrId = ::LoadMenuW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_WIDE_MENU));
    if (!ShowMainFrame(frame, std::move(params))) return false;
    ::PostMessageW(frame->Handle(), WMU_STEP, 0, 0);
    return true;
  }
};

// Refuses creation after making its pane, so that the pane goes down with it.
struct Refusal : Record<Refusal> {
  int destructorRuns = 0;
  int postNcDestroys = 0;
  HWND pane = nullptr;
};

class RefusingFrame final : public MessageWindow<RefusingFrame, FrameWindow> {
 public:
  ~RefusingFrame() override { ++Refusal::Current().destructorRuns; }
  static std::span<const MessageEntry<RefusingFrame>> MessageTable() {
    static constexpr MessageEntry<RefusingFrame> table[] = {{WM_CREATE, &RefusingFrame::OnCreate}};
    return table;
  }

 protected:
  void PostNcDestroy() override {
    ++Refusal::Current().postNcDestroys;
    FrameWindow::PostNcDestroy();
  }

 private:
  LRESULT OnCreate(const Message&) {
    if (CreatePane(pane, Handle())) Refusal::Current().pane = pane.Handle();
    return -1;
  }

  Window pane;
};

bool CreateRefusingFrame(RefusingFrame* frame) {
  return frame->CreateFrame(TopLevel(L"fwprobe refusing", {0, 0, 200, 100}));
}

// The refusing frame as the application's main window, the way the product starts.
class RefusingApp final : public ScenarioApp {
 public:
  bool created = true;
  bool mainWindowClearedAtExit = false;

 protected:
  bool InitInstance() override {
    auto* frame = new RefusingFrame;
    deletion_watch::Watch(frame);
    SetMainWindow(frame);
    created = CreateRefusingFrame(frame);
    return created;
  }
  int ExitInstance() override {
    mainWindowClearedAtExit = MainWindow() == nullptr;
    return ScenarioApp::ExitInstance();
  }
};

}  // namespace

void RunPaneSizingScenario(Report& report) {
  Outcome result;
  {
    SizingApp app;
    app.RunWithin(20000);
    report.Check("pane.loop-ended-by-quit", app.EndedByQuit(), app.HowItEnded());
  }
  for (int i = 0; i < StepCount; ++i) {
    const auto index = static_cast<std::size_t>(i);
    if (Steps[i].name != nullptr) report.Check(Steps[i].name, result.fits[index], result.detail[index]);
  }
  report.Check("pane.maximize-took-effect", result.zoomedWhenMaximized, "the frame was not zoomed after SW_MAXIMIZE");

  {
    Refusal seen;
    auto* frame = new RefusingFrame;
    deletion_watch::Watch(frame);
    const bool created = CreateRefusingFrame(frame);
    const int deletions = deletion_watch::Deletions();
    deletion_watch::Stop();
    report.Check("pane.refused-create-returns-false", !created, "CreateFrame returned true");
    report.Check("pane.refused-create-deleted-once", deletions == 1 && seen.destructorRuns == 1,
                 Format("%d deletions, %d destructor runs", deletions, seen.destructorRuns));
    report.Check("pane.refused-create-windows-gone",
                 seen.postNcDestroys == 1 && seen.pane != nullptr && !::IsWindow(seen.pane),
                 Format("PostNcDestroy ran %d times; pane %s", seen.postNcDestroys,
                        seen.pane == nullptr ? "never created" : (::IsWindow(seen.pane) ? "still alive" : "gone")));
  }
  {
    Refusal seen;
    RefusingApp app;
    app.RunWithin(5000);
    const int deletions = deletion_watch::Deletions();
    deletion_watch::Stop();
    report.Check("pane.refused-main-frame-cleared",
                 !app.created && deletions == 1 && app.ExitRan() && app.mainWindowClearedAtExit && !app.TimedOut(),
                 Format("created %d, %d deletions, exit ran %d, main window cleared %d, %s", app.created ? 1 : 0,
                        deletions, app.ExitRan() ? 1 : 0, app.mainWindowClearedAtExit ? 1 : 0,
                        app.HowItEnded().c_str()));
  }
}
