// A frame's life from creation to the end of the loop, as the journal of what each object saw.
#include <span>
#include <string>
#include <vector>

#include "DeletionWatch.h"
#include "ProbeSupport.h"
#include "ScenarioApp.h"
#include "framework/FrameWindow.h"
#include "framework/MessageTable.h"

namespace {

struct Journal : Record<Journal> {
  std::vector<std::string> events;
  std::vector<std::string> sizeMisfits;
  int sizesSeen = 0;
  UINT lastFrameMessage = 0;
  int frameDestructors = 0;
  bool mainWindowClearedAtExit = false;
};

void Log(const std::string& event) { Journal::Current().events.push_back(event); }

const char* Name(UINT message) {
  switch (message) {
    case WM_NCCREATE: return "WM_NCCREATE";
    case WM_CREATE: return "WM_CREATE";
    case WM_SIZE: return "WM_SIZE";
    case WM_SHOWWINDOW: return "WM_SHOWWINDOW";
    case WM_CLOSE: return "WM_CLOSE";
    case WM_DESTROY: return "WM_DESTROY";
    case WM_NCDESTROY: return "WM_NCDESTROY";
    default: return "other";
  }
}

class OrderPane final : public MessageWindow<OrderPane> {
 public:
  static std::span<const MessageEntry<OrderPane>> MessageTable() {
    static constexpr MessageEntry<OrderPane> table[] = {
        {WM_NCCREATE, &OrderPane::OnLogged},
        {WM_CREATE, &OrderPane::OnLogged},
        {WM_DESTROY, &OrderPane::OnLogged},
        {WM_NCDESTROY, &OrderPane::OnLogged},
    };
    return table;
  }

 protected:
  void PostNcDestroy() override { Log("pane PostNcDestroy"); }

 private:
  LRESULT OnLogged(const Message& message) {
    Log(std::string("pane ") + Name(message.id));
    return Default(message);
  }
};

class OrderFrame final : public MessageWindow<OrderFrame, FrameWindow> {
 public:
  ~OrderFrame() override {
    Log("frame destructor");
    ++Journal::Current().frameDestructors;
  }

  static std::span<const MessageEntry<OrderFrame>> MessageTable() {
    static constexpr MessageEntry<OrderFrame> table[] = {
        {WM_NCCREATE, &OrderFrame::OnLogged},
        {WM_CREATE, &OrderFrame::OnCreate},
        {WM_SIZE, &OrderFrame::OnSize},
        {WM_SHOWWINDOW, &OrderFrame::OnShowWindow},
        {WM_CLOSE, &OrderFrame::OnLogged},
        {WM_DESTROY, &OrderFrame::OnLogged},
        {WM_NCDESTROY, &OrderFrame::OnLogged},
        {WMU_START, &OrderFrame::OnCloseAfterResize},
    };
    return table;
  }

 protected:
  LRESULT HandleMessage(const Message& message) override {
    Journal::Current().lastFrameMessage = message.id;
    return MessageWindow::HandleMessage(message);
  }

  void PostNcDestroy() override {
    Log(Handle() == nullptr ? "frame PostNcDestroy unbound" : "frame PostNcDestroy still bound");
    FrameWindow::PostNcDestroy();  // deletes this
  }

 private:
  LRESULT OnLogged(const Message& message) {
    Log(std::string("frame ") + Name(message.id));
    return Default(message);
  }

  LRESULT OnCreate(const Message& message) {
    Log("frame WM_CREATE begin");
    const bool created = CreatePane(pane, Handle(), WS_BORDER);
    Log("frame WM_CREATE end");
    return created ? Default(message) : -1;
  }

  LRESULT OnSize(const Message& message) {
    const LRESULT result = Default(message);
    Log("frame WM_SIZE");
    if (message.wParam != SIZE_MINIMIZED) {
      ++Journal::Current().sizesSeen;
      std::string detail;
      if (!PaneCoversClient(Handle(), &detail)) Journal::Current().sizeMisfits.push_back(detail);
    }
    return result;
  }

  LRESULT OnShowWindow(const Message& message) {
    Log(message.wParam != FALSE ? "frame shown" : "frame hidden");
    return Default(message);
  }

  LRESULT OnCloseAfterResize(const Message&) {
    ::SetWindowPos(Handle(), nullptr, 30, 40, 420, 300, SWP_NOZORDER | SWP_NOACTIVATE);
    // The way a user closes it: the system menu's Close becomes WM_CLOSE.
    ::PostMessageW(Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    return 0;
  }

  OrderPane pane;
};

class LifecycleApp final : public ScenarioApp {
 protected:
  bool InitInstance() override {
    auto* frame = new OrderFrame;
    deletion_watch::Watch(frame);
    if (!ShowMainFrame(frame, TopLevel(L"fwprobe lifecycle", {40, 40, 500, 360}))) return false;
    ::UpdateWindow(frame->Handle());
    ::PostMessageW(frame->Handle(), WMU_START, 0, 0);
    return true;
  }

  int ExitInstance() override {
    Log("ExitInstance");
    Journal::Current().mainWindowClearedAtExit = MainWindow() == nullptr;
    return ScenarioApp::ExitInstance();
  }
};

}  // namespace

void RunLifecycleScenario(Report& report) {
  Journal log;
  LifecycleApp app;
  app.RunWithin(10000);
  const int deletions = deletion_watch::Deletions();
  deletion_watch::Stop();

  const auto& e = log.events;
  const std::string all = "journal: " + Joined(e);
  const int ncCreate = IndexOf(e, "frame WM_NCCREATE");
  const int createBegin = IndexOf(e, "frame WM_CREATE begin");
  const int createEnd = IndexOf(e, "frame WM_CREATE end");
  const int paneNcCreate = IndexOf(e, "pane WM_NCCREATE");
  const int paneCreate = IndexOf(e, "pane WM_CREATE");
  const int firstSize = IndexOf(e, "frame WM_SIZE", createEnd);
  const int close = IndexOf(e, "frame WM_CLOSE");
  const int hidden = IndexOf(e, "frame hidden", close);
  const int frameDestroy = IndexOf(e, "frame WM_DESTROY");
  const int paneDestroy = IndexOf(e, "pane WM_DESTROY");
  const int paneNcDestroy = IndexOf(e, "pane WM_NCDESTROY");
  const int frameNcDestroy = IndexOf(e, "frame WM_NCDESTROY");
  const int postNcDestroy = IndexOf(e, "frame PostNcDestroy unbound");
  const int destructor = IndexOf(e, "frame destructor");
  const int exitInstance = IndexOf(e, "ExitInstance");

  report.Check("order.frame-nccreate-first", ncCreate == 0 && createBegin > ncCreate, all);
  report.Check("order.pane-created-inside-frame-create",
               createBegin >= 0 && paneNcCreate > createBegin && paneCreate > paneNcCreate &&
                   createEnd > paneCreate,
               all);
  report.Check("order.size-lays-out-pane",
               firstSize > createEnd && log.sizesSeen >= 2 && log.sizeMisfits.empty(),
               Format("%d sizes seen, misfits: %s; ", log.sizesSeen, Joined(log.sizeMisfits).c_str()) + all);
  report.Check("order.hidden-before-destroyed", close >= 0 && hidden > close && frameDestroy > hidden, all);
  report.Check("order.frame-destroy-before-pane-destroy",
               frameDestroy >= 0 && paneDestroy > frameDestroy && paneNcDestroy > paneDestroy, all);
  report.Check("order.frame-ncdestroy-last",
               frameNcDestroy > paneNcDestroy && paneNcDestroy >= 0 && log.lastFrameMessage == WM_NCDESTROY &&
                   CountOf(e, "frame WM_NCDESTROY") == 1,
               Format("last message the frame handled 0x%x; ", log.lastFrameMessage) + all);
  report.Check("order.unbound-at-post-ncdestroy",
               postNcDestroy > frameNcDestroy && IndexOf(e, "frame PostNcDestroy still bound") < 0, all);
  report.Check("order.frame-deleted-once",
               deletions == 1 && log.frameDestructors == 1 && destructor > postNcDestroy &&
                   exitInstance > destructor,
               Format("%d deletions, %d destructor runs; ", deletions, log.frameDestructors) + all);
  report.Check("order.loop-ended-by-quit", app.EndedByQuit() && app.ExitRan() && log.mainWindowClearedAtExit,
               app.HowItEnded() + (log.mainWindowClearedAtExit ? "" : "; main window still set at exit"));
}
