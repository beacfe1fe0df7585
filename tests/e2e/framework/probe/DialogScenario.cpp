// Dialogs: modal end codes and data exchange, the modal loop letting other windows' messages
// through, and a modeless dialog getting its keyboard handling from the application's loop.
#include <optional>
#include <span>
#include <string>

#include "ProbeIds.h"
#include "ProbeSupport.h"
#include "ScenarioApp.h"
#include "framework/Dialog.h"
#include "framework/FrameWindow.h"
#include "framework/MessageTable.h"

namespace {

constexpr UINT WMU_PING = WMU_SCENARIO;
constexpr UINT WMU_AFTER_TAB = WMU_SCENARIO + 1;
constexpr UINT WMU_AFTER_ENTER = WMU_SCENARIO + 2;
constexpr UINT WMU_QUERY = WMU_SCENARIO + 3;
constexpr LRESULT QueryAnswer = 4321;
constexpr int MissingTemplate = 4242;
constexpr UINT_PTR ActTimer = 1;
constexpr UINT_PTR GiveUpTimer = 2;
constexpr UINT GiveUpMs = 4000;
constexpr INT_PTR GaveUp = 99;

HINSTANCE Module() { return ::GetModuleHandleW(nullptr); }

struct Results : Record<Results> {
  std::optional<INT_PTR> timerEnd;
  std::optional<INT_PTR> okEnd;
  int okFlag = -1;
  std::wstring okText;
  bool okLoadedUnchecked = false;
  bool okLoadedText = false;
  std::optional<INT_PTR> cancelEnd;
  int cancelFlag = -1;
  std::wstring cancelText;
  bool cancelLoadedChecked = false;
  bool boundDuringModal = false;
  bool unboundAfterModal = false;
  std::optional<INT_PTR> missingEnd;
  bool ownerEnabledAfterMissing = false;
  std::optional<INT_PTR> flowEnd;
  int ticksDuringModal = 0;
  int pingsDuringModal = 0;
  bool modelessCreated = false;
  bool focusOnFirst = false;
  std::optional<bool> focusOnSecondAfterTab;
  std::optional<int> goClicksAfterEnter;
  int goClicksBeforeEnter = -1;
  bool modelessGoneAfterEnd = false;
  bool answerDialogCreated = false;
  LRESULT colorAnswer = 0;
  LRESULT expectedBrush = 0;
  LRESULT queryAnswer = 0;
};

// Ends itself with 7 from a timer started in OnInitDialog.
class TimerDialog final : public Dialog {
 public:
  TimerDialog() : Dialog(Module(), IDD_PLAIN) {}

 protected:
  bool OnInitDialog() override {
    Dialog::OnInitDialog();
    Results::Current().boundDuringModal = FromHandle(Handle()) == this;
    ::SetTimer(Handle(), ActTimer, 50, nullptr);
    return true;
  }
  LRESULT HandleMessage(const Message& message) override {
    if (message.id == WM_TIMER && message.wParam == ActTimer) {
      ::KillTimer(Handle(), ActTimer);
      EndDialog(7);
      return 0;
    }
    return Dialog::HandleMessage(message);
  }
};

// A check box and a text field exchanged with the object; a timer clicks the box, types new text
// and presses the button given.
class ExchangeDialog final : public Dialog {
 public:
  ExchangeDialog(int initialFlag, std::wstring initialText, int button)
      : Dialog(Module(), IDD_CHECK), flag(initialFlag), text(std::move(initialText)), button_(button) {}

  int flag;
  std::wstring text;
  bool loadedChecked = false;
  std::wstring loadedText;

 protected:
  void DoDataExchange(DataExchange& exchange) override {
    exchange.CheckBox(IDC_FLAG, flag);
    exchange.Text(IDC_TEXT, text);
  }
  bool OnInitDialog() override {
    const bool result = Dialog::OnInitDialog();
    loadedChecked = ::IsDlgButtonChecked(Handle(), IDC_FLAG) == BST_CHECKED;
    wchar_t shown[64] = {};
    ::GetDlgItemTextW(Handle(), IDC_TEXT, shown, 64);
    loadedText = shown;
    ::SetTimer(Handle(), ActTimer, 50, nullptr);
    ::SetTimer(Handle(), GiveUpTimer, GiveUpMs, nullptr);
    return result;
  }
  LRESULT HandleMessage(const Message& message) override {
    if (message.id == WM_TIMER && message.wParam == ActTimer) {
      ::KillTimer(Handle(), ActTimer);
      ::SendDlgItemMessageW(Handle(), IDC_FLAG, BM_CLICK, 0, 0);
      ::SetDlgItemTextW(Handle(), IDC_TEXT, L"つぎの名前");
      ::SendDlgItemMessageW(Handle(), button_, BM_CLICK, 0, 0);
      return 0;
    }
    if (message.id == WM_TIMER && message.wParam == GiveUpTimer) {
      ::EndDialog(Handle(), GaveUp);
      return 0;
    }
    return Dialog::HandleMessage(message);
  }

 private:
  int button_;
};

class DialogHost;

// Ends with 1 once the host has had timer ticks and a posted message while this dialog's own
// loop was running, or with 0 when they do not come.
class FlowDialog final : public Dialog {
 public:
  FlowDialog() : Dialog(Module(), IDD_PLAIN) {}
  HWND host = nullptr;

 protected:
  bool OnInitDialog() override {
    Dialog::OnInitDialog();
    start_ = ::GetTickCount();
    ::PostMessageW(host, WMU_PING, 0, 0);
    ::SetTimer(Handle(), ActTimer, 20, nullptr);
    return true;
  }
  LRESULT HandleMessage(const Message& message) override {
    if (message.id == WM_TIMER && message.wParam == ActTimer) {
      if (Results::Current().ticksDuringModal >= 3 && Results::Current().pingsDuringModal >= 1) {
        ::KillTimer(Handle(), ActTimer);
        EndDialog(1);
      } else if (::GetTickCount() - start_ > GiveUpMs) {
        ::KillTimer(Handle(), ActTimer);
        EndDialog(0);
      }
      return 0;
    }
    return Dialog::HandleMessage(message);
  }

 private:
  DWORD start_ = 0;
};

// A modeless dialog whose default button's command lands in its own command table.
class ModelessDialog final : public Dialog {
 public:
  ModelessDialog() : Dialog(Module(), IDD_MODELESS) {}
  int goClicks = 0;

 protected:
  bool HandleOwnCommand(UINT commandId) override {
    if (commandId != IDC_GO) return false;
    ++goClicks;
    return true;
  }
};

// Answers a colour message with its brush (a value the system takes straight from the dialog
// procedure) and a private query with a number (a value it takes from DWLP_MSGRESULT).
class AnswerDialog final : public Dialog {
 public:
  AnswerDialog() : Dialog(Module(), IDD_PLAIN), brush_(::CreateSolidBrush(RGB(250, 200, 40))) {}
  ~AnswerDialog() override { ::DeleteObject(brush_); }
  HBRUSH Brush() const { return brush_; }

 protected:
  LRESULT HandleMessage(const Message& message) override {
    if (message.id == WM_CTLCOLORDLG) return reinterpret_cast<LRESULT>(brush_);
    if (message.id == WMU_QUERY) return QueryAnswer;
    return Dialog::HandleMessage(message);
  }

 private:
  HBRUSH brush_;
};

class DialogHost final : public MessageWindow<DialogHost, FrameWindow> {
 public:
  static std::span<const MessageEntry<DialogHost>> MessageTable() {
    static constexpr MessageEntry<DialogHost> table[] = {
        {WMU_START, &DialogHost::OnRun},
        {WM_TIMER, &DialogHost::OnTimer},
        {WMU_PING, &DialogHost::OnPing},
        {WMU_AFTER_TAB, &DialogHost::OnAfterTab},
        {WMU_AFTER_ENTER, &DialogHost::OnAfterEnter},
    };
    return table;
  }

 private:
  LRESULT OnRun(const Message&) {
    Results& results = Results::Current();
    {
      TimerDialog dialog;
      results.timerEnd = dialog.DoModal(Handle());
      results.unboundAfterModal = dialog.Handle() == nullptr;
    }
    {
      ExchangeDialog dialog(0, L"はじめの名前", IDOK);
      results.okEnd = dialog.DoModal(Handle());
      results.okFlag = dialog.flag;
      results.okText = dialog.text;
      results.okLoadedUnchecked = !dialog.loadedChecked;
      results.okLoadedText = dialog.loadedText == L"はじめの名前";
    }
    {
      ExchangeDialog dialog(1, L"そのまま", IDCANCEL);
      results.cancelEnd = dialog.DoModal(Handle());
      results.cancelFlag = dialog.flag;
      results.cancelText = dialog.text;
      results.cancelLoadedChecked = dialog.loadedChecked;
    }
    {
      Dialog dialog(Module(), MissingTemplate);
      results.missingEnd = dialog.DoModal(Handle());
      results.ownerEnabledAfterMissing = ::IsWindowEnabled(Handle()) != FALSE;
    }
    {
      FlowDialog dialog;
      dialog.host = Handle();
      ::SetTimer(Handle(), ActTimer, 25, nullptr);
      inModal_ = true;
      results.flowEnd = dialog.DoModal(Handle());
      inModal_ = false;
      ::KillTimer(Handle(), ActTimer);
    }

    {
      AnswerDialog dialog;
      results.answerDialogCreated = dialog.CreateModeless(Handle());
      if (results.answerDialogCreated) {
        const HDC dc = ::GetDC(dialog.Handle());
        results.colorAnswer = ::SendMessageW(dialog.Handle(), WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(dc),
                                             reinterpret_cast<LPARAM>(dialog.Handle()));
        ::ReleaseDC(dialog.Handle(), dc);
        results.expectedBrush = reinterpret_cast<LRESULT>(dialog.Brush());
        results.queryAnswer = ::SendMessageW(dialog.Handle(), WMU_QUERY, 0, 0);
        dialog.EndDialog(IDCANCEL);
      }
    }

    results.modelessCreated = modeless_.CreateModeless(Handle()) && modeless_.Handle() != nullptr;
    if (!results.modelessCreated) {
      ::PostMessageW(Handle(), WM_CLOSE, 0, 0);
      return 0;
    }
    const HWND first = ::GetDlgItem(modeless_.Handle(), IDC_FIRST);
    ::SetFocus(first);
    results.focusOnFirst = ::GetFocus() == first;
    // Queued, as typed keys are: only the application's loop can hand them to the dialog.
    ::PostMessageW(first, WM_KEYDOWN, VK_TAB, 0x000F0001);
    ::PostMessageW(Handle(), WMU_AFTER_TAB, 0, 0);
    return 0;
  }

  LRESULT OnAfterTab(const Message&) {
    Results& results = Results::Current();
    const HWND second = ::GetDlgItem(modeless_.Handle(), IDC_SECOND);
    results.focusOnSecondAfterTab = ::GetFocus() == second;
    results.goClicksBeforeEnter = modeless_.goClicks;
    ::SetFocus(second);
    ::PostMessageW(second, WM_KEYDOWN, VK_RETURN, 0x001C0001);
    ::PostMessageW(Handle(), WMU_AFTER_ENTER, 0, 0);
    return 0;
  }

  LRESULT OnAfterEnter(const Message&) {
    Results& results = Results::Current();
    results.goClicksAfterEnter = modeless_.goClicks;
    const HWND dialog = modeless_.Handle();
    modeless_.EndDialog(IDCANCEL);
    results.modelessGoneAfterEnd = !::IsWindow(dialog) && modeless_.Handle() == nullptr;
    ::PostMessageW(Handle(), WM_CLOSE, 0, 0);
    return 0;
  }

  LRESULT OnTimer(const Message& message) {
    if (inModal_) ++Results::Current().ticksDuringModal;
    return Default(message);
  }

  LRESULT OnPing(const Message&) {
    if (inModal_) ++Results::Current().pingsDuringModal;
    return 0;
  }

  bool inModal_ = false;
  ModelessDialog modeless_;
};

class DialogApp final : public ScenarioApp {
 protected:
  bool InitInstance() override {
    auto* host = new DialogHost;
    if (!ShowMainFrame(host, TopLevel(L"fwprobe dialogs", {100, 100, 500, 400}))) return false;
    ::PostMessageW(host->Handle(), WMU_START, 0, 0);
    return true;
  }
};

std::string Code(const std::optional<INT_PTR>& code) {
  return code ? Format("%lld", static_cast<long long>(*code)) : std::string("never returned");
}

}  // namespace

void RunDialogScenario(Report& report) {
  Results r;
  {
    DialogApp app;
    app.RunWithin(30000);
    report.Check("dialog.loop-ended-by-quit", app.EndedByQuit(), app.HowItEnded());
  }

  report.Check("dialog.timer-end-code", r.timerEnd == 7, "DoModal gave " + Code(r.timerEnd));
  report.Check("dialog.bound-while-modal-unbound-after", r.boundDuringModal && r.unboundAfterModal,
               Format("bound during %d, unbound after %d", r.boundDuringModal ? 1 : 0, r.unboundAfterModal ? 1 : 0));
  report.Check("dialog.data-loaded-into-controls", r.okLoadedUnchecked && r.okLoadedText && r.cancelLoadedChecked,
               Format("unchecked for 0 %d, text shown %d, checked for 1 %d", r.okLoadedUnchecked ? 1 : 0,
                      r.okLoadedText ? 1 : 0, r.cancelLoadedChecked ? 1 : 0));
  report.Check("dialog.ok-end-code-and-saved-data",
               r.okEnd == IDOK && r.okFlag == 1 && r.okText == L"つぎの名前",
               Format("DoModal gave %s, check box saved as %d, text saved %s", Code(r.okEnd).c_str(), r.okFlag,
                      r.okText == L"つぎの名前" ? "yes" : "no"));
  report.Check("dialog.cancel-end-code-and-unsaved-data",
               r.cancelEnd == IDCANCEL && r.cancelFlag == 1 && r.cancelText == L"そのまま",
               Format("DoModal gave %s, check box left as %d, text unchanged %s", Code(r.cancelEnd).c_str(),
                      r.cancelFlag, r.cancelText == L"そのまま" ? "yes" : "no"));
  report.Check("dialog.missing-template", r.missingEnd == -1 && r.ownerEnabledAfterMissing,
               "DoModal gave " + Code(r.missingEnd) + (r.ownerEnabledAfterMissing ? "" : ", owner left disabled"));
  report.Check("dialog.modal-loop-lets-messages-through", r.flowEnd == 1,
               Format("DoModal gave %s; %d host ticks and %d posted messages during the modal loop",
                      Code(r.flowEnd).c_str(), r.ticksDuringModal, r.pingsDuringModal));
  report.Check("dialog.answer-through-msgresult", r.answerDialogCreated && r.queryAnswer == QueryAnswer,
               Format("created %d, a handled message answered %lld", r.answerDialogCreated ? 1 : 0,
                      static_cast<long long>(r.queryAnswer)));
  report.Check("dialog.colour-message-answers-brush",
               r.answerDialogCreated && r.colorAnswer == r.expectedBrush && r.expectedBrush != 0,
               Format("WM_CTLCOLORDLG answered %#llx, the handler returned the brush %#llx",
                      static_cast<unsigned long long>(r.colorAnswer), static_cast<unsigned long long>(r.expectedBrush)));
  report.Check("dialog.modeless-created", r.modelessCreated && r.focusOnFirst,
               Format("created %d, focus on the first control %d", r.modelessCreated ? 1 : 0, r.focusOnFirst ? 1 : 0));
  report.Check("dialog.modeless-tab-moves-focus", r.focusOnSecondAfterTab == true,
               r.focusOnSecondAfterTab ? "focus did not move to the next control" : "never reached");
  report.Check("dialog.modeless-enter-presses-default-button",
               r.goClicksAfterEnter == 1 && r.goClicksBeforeEnter == 0,
               r.goClicksAfterEnter ? Format("default button pressed %d times (%d before Enter)", *r.goClicksAfterEnter,
                                             r.goClicksBeforeEnter)
                                    : std::string("never reached"));
  report.Check("dialog.modeless-end-destroys", r.modelessGoneAfterEnd, "the dialog window outlived EndDialog");
}
