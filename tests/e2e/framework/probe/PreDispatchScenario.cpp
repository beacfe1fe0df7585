// The loop's pre-dispatch chain: the target window's hook first, then each parent's up to the main
// window; a hook that answers true consumes the message.
#include <string>
#include <vector>

#include "ProbeSupport.h"
#include "ScenarioApp.h"
#include "framework/FrameWindow.h"

namespace {

constexpr UINT WMU_TAKEN_BY_PANE = WMU_SCENARIO;
constexpr UINT WMU_TAKEN_BY_FRAME = WMU_SCENARIO + 1;
constexpr UINT WMU_DECLINED = WMU_SCENARIO + 2;
constexpr UINT WMU_FOR_OUTSIDER = WMU_SCENARIO + 3;
constexpr UINT WMU_FOR_FRAME = WMU_SCENARIO + 4;

bool Watched(UINT message) { return message >= WMU_TAKEN_BY_PANE && message <= WMU_FOR_FRAME; }

const char* Name(UINT message) {
  switch (message) {
    case WMU_TAKEN_BY_PANE: return "taken-by-pane";
    case WMU_TAKEN_BY_FRAME: return "taken-by-frame";
    case WMU_DECLINED: return "declined";
    case WMU_FOR_OUTSIDER: return "for-outsider";
    case WMU_FOR_FRAME: return "for-frame";
    default: return "other";
  }
}

// "<window> offered <message>" and "<window> dispatched <message>", in the order they happened.
struct Events : Record<Events> {
  std::vector<std::string> seen;
};
void Note(const std::string& event) { Events::Current().seen.push_back(event); }

// A window that notes what its hook is offered and what is dispatched to it, and consumes one
// message in its hook.
template <class Base>
class Observed : public Base {
 public:
  Observed(const char* name, UINT consumes) : name_(name), consumes_(consumes) {}

  bool PreTranslateMessage(MSG& message) override {
    if (!Watched(message.message)) return false;
    Note(std::string(name_) + " offered " + Name(message.message));
    return message.message == consumes_;
  }

 protected:
  LRESULT HandleMessage(const Message& message) override {
    if (Watched(message.id)) {
      Note(std::string(name_) + " dispatched " + Name(message.id));
      return 0;
    }
    return Base::HandleMessage(message);
  }

 private:
  const char* name_;
  UINT consumes_;
};

class ChainFrame final : public Observed<FrameWindow> {
 public:
  ChainFrame(HWND outsider) : Observed("frame", WMU_TAKEN_BY_FRAME), outsider_(outsider) {}

 protected:
  LRESULT HandleMessage(const Message& message) override {
    if (message.id == WM_CREATE) return CreatePane(pane, Handle()) ? 0 : -1;
    if (message.id == WMU_FINISH) {
      ::DestroyWindow(outsider_);
      ::PostMessageW(Handle(), WM_CLOSE, 0, 0);
      return 0;
    }
    return Observed::HandleMessage(message);
  }

 private:
  HWND outsider_;
  Observed<Window> pane{"pane", WMU_TAKEN_BY_PANE};
};

bool CreateTopLevel(Window& window, const wchar_t* title, int x) {
  return window.Create(TopLevel(title, {x, 300, 200, 150}, WS_OVERLAPPEDWINDOW | WS_VISIBLE));
}

class ChainApp final : public ScenarioApp {
 public:
  ChainApp(Window& owner, Window& outsider) : owner_(owner), outsider_(outsider) {}

 protected:
  bool InitInstance() override {
    // The frame is a pop-up owned by `owner`, so the owner is the frame's parent as far as the
    // chain's walk goes; the walk must still stop at the main window.
    if (!CreateTopLevel(owner_, L"fwprobe owner", 20) || !CreateTopLevel(outsider_, L"fwprobe outsider", 260)) {
      return false;
    }
    auto* frame = new ChainFrame(outsider_.Handle());
    SetMainWindow(frame);
    if (!frame->CreateFrame(TopLevel(L"fwprobe pre-dispatch", {80, 80, 400, 300},
                                     WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_VISIBLE, owner_.Handle()))) {
      return false;
    }
    if (::GetParent(frame->Handle()) != owner_.Handle()) Note("the frame's parent is not its owner");

    const HWND pane = frame->Pane();
    ::PostMessageW(pane, WMU_TAKEN_BY_PANE, 0, 0);
    ::PostMessageW(pane, WMU_TAKEN_BY_FRAME, 0, 0);
    ::PostMessageW(pane, WMU_DECLINED, 0, 0);
    ::PostMessageW(outsider_.Handle(), WMU_FOR_OUTSIDER, 0, 0);
    ::PostMessageW(frame->Handle(), WMU_FOR_FRAME, 0, 0);
    ::PostMessageW(frame->Handle(), WMU_FINISH, 0, 0);
    return true;
  }

 private:
  Window& owner_;
  Window& outsider_;
};

}  // namespace

void RunPreDispatchScenario(Report& report) {
  Events events;
  const std::vector<std::string>& seen = events.seen;
  Observed<Window> owner("owner", 0);
  Observed<Window> outsider("outsider", 0);
  {
    ChainApp app(owner, outsider);
    app.RunWithin(10000);
    report.Check("pre.loop-ended-by-quit", app.EndedByQuit(), app.HowItEnded());
  }
  if (outsider.Handle() != nullptr) ::DestroyWindow(outsider.Handle());
  if (owner.Handle() != nullptr) ::DestroyWindow(owner.Handle());
  DrainQueue();

  const std::string all = "events: " + Joined(seen);
  const auto count = [&](const char* event) { return CountOf(seen, event); };
  const auto at = [&](const char* event) { return IndexOf(seen, event); };

  report.Check("pre.pane-hook-consumes",
               count("pane offered taken-by-pane") == 1 && count("frame offered taken-by-pane") == 0 &&
                   count("pane dispatched taken-by-pane") == 0,
               all);
  report.Check("pre.frame-hook-consumes-after-pane",
               count("pane offered taken-by-frame") == 1 && count("frame offered taken-by-frame") == 1 &&
                   at("pane offered taken-by-frame") < at("frame offered taken-by-frame") &&
                   count("pane dispatched taken-by-frame") == 0,
               all);
  report.Check("pre.declined-dispatched-once",
               count("pane offered declined") == 1 && count("frame offered declined") == 1 &&
                   at("frame offered declined") < at("pane dispatched declined") &&
                   count("pane dispatched declined") == 1,
               all);
  report.Check("pre.chain-stops-at-main-window",
               at("frame offered declined") >= 0 && count("owner offered declined") == 0 &&
                   count("owner offered for-frame") == 0 && IndexOf(seen, "the frame's parent is not its owner") < 0,
               all);
  report.Check("pre.outsider-not-offered-to-frame",
               count("outsider offered for-outsider") == 1 && count("frame offered for-outsider") == 0 &&
                   count("outsider dispatched for-outsider") == 1,
               all);
  report.Check("pre.frame-message-not-offered-to-pane",
               count("frame offered for-frame") == 1 && count("pane offered for-frame") == 0 &&
                   count("frame dispatched for-frame") == 1,
               all);
}
