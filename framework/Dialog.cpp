#include "framework/Dialog.h"

#include <vector>

void DataExchange::CheckBox(int controlId, int& value) {
  if (saving_) {
    value = ::IsDlgButtonChecked(dialog_, controlId) == BST_CHECKED ? 1 : 0;
  } else {
    ::CheckDlgButton(dialog_, controlId, value != 0 ? BST_CHECKED : BST_UNCHECKED);
  }
}

void DataExchange::Text(int controlId, std::wstring& value) {
  if (saving_) {
    const HWND control = ::GetDlgItem(dialog_, controlId);
    std::vector<wchar_t> buffer(static_cast<std::size_t>(::GetWindowTextLengthW(control)) + 1);
    ::GetWindowTextW(control, buffer.data(), static_cast<int>(buffer.size()));
    value = buffer.data();
  } else {
    ::SetDlgItemTextW(dialog_, controlId, value.c_str());
  }
}

void DataExchange::Control(int controlId, Window& control) {
  if (control.Handle() == nullptr) control.SubclassWindow(::GetDlgItem(dialog_, controlId));
}

Dialog::~Dialog() {
  if (const HWND dialog = Handle(); dialog != nullptr) {
    ::SetWindowLongPtrW(dialog, DWLP_USER, 0);
    BindTo(nullptr);
    ::DestroyWindow(dialog);
  }
}

INT_PTR Dialog::DoModal(HWND owner) {
  modal_ = true;
  return ::DialogBoxParamW(module_, MAKEINTRESOURCEW(templateId_), owner, &DialogProcedure,
                           reinterpret_cast<LPARAM>(this));
}

bool Dialog::CreateModeless(HWND owner) {
  modal_ = false;
  return ::CreateDialogParamW(module_, MAKEINTRESOURCEW(templateId_), owner, &DialogProcedure,
                              reinterpret_cast<LPARAM>(this)) != nullptr;
}

void Dialog::EndDialog(INT_PTR code) {
  if (modal_) {
    ::EndDialog(Handle(), code);
  } else {
    ::DestroyWindow(Handle());
  }
}

bool Dialog::PreTranslateMessage(MSG& message) {
  return !modal_ && Handle() != nullptr && ::IsDialogMessageW(Handle(), &message);
}

bool Dialog::OnInitDialog() {
  UpdateData(false);
  return true;
}

void Dialog::OnOK() {
  if (UpdateData(true)) EndDialog(IDOK);
}

void Dialog::OnCancel() { EndDialog(IDCANCEL); }

bool Dialog::UpdateData(bool saving) {
  DataExchange exchange(Handle(), saving);
  DoDataExchange(exchange);
  return true;
}

LRESULT Dialog::HandleMessage(const Message& message) {
  switch (message.id) {
    case WM_INITDIALOG:
      return OnInitDialog() ? TRUE : FALSE;
    case WM_COMMAND:
      if (LOWORD(message.wParam) == IDOK) {
        OnOK();
        return 0;
      }
      if (LOWORD(message.wParam) == IDCANCEL) {
        OnCancel();
        return 0;
      }
      if (RouteCommand(LOWORD(message.wParam))) return 0;
      break;
    default:
      break;
  }
  handled_ = false;
  return 0;
}

namespace {
// Messages whose answer the system takes from the dialog procedure's return value itself (a brush,
// an index) rather than from DWLP_MSGRESULT.
bool AnswersDirectly(UINT id) {
  switch (id) {
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
      return true;
    default:
      return false;
  }
}
}  // namespace

Dialog* Dialog::Bound(HWND dialog) {
  return reinterpret_cast<Dialog*>(::GetWindowLongPtrW(dialog, DWLP_USER));
}

INT_PTR CALLBACK Dialog::DialogProcedure(HWND dialog, UINT id, WPARAM wParam, LPARAM lParam) noexcept {
  Dialog* self = nullptr;
  if (id == WM_INITDIALOG) {
    self = reinterpret_cast<Dialog*>(lParam);
    self->BindTo(dialog);
    ::SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = Bound(dialog);
  }
  if (self == nullptr) return FALSE;

  INT_PTR answer = FALSE;
  // Messages sent while this one is handled come through here too: each keeps its own flag.
  const bool outerHandled = self->handled_;
  try {
    self->handled_ = true;
    const LRESULT result = self->HandleMessage({id, wParam, lParam});
    const bool handled = self->handled_;
    if (id == WM_INITDIALOG) {
      answer = handled ? result : TRUE;
    } else if (handled && AnswersDirectly(id)) {
      answer = result;
    } else if (handled) {
      ::SetWindowLongPtrW(dialog, DWLP_MSGRESULT, result);
      answer = TRUE;
    }
  } catch (...) {
    answer = FALSE;
  }
  self->handled_ = outerHandled;
  if (id == WM_NCDESTROY) {
    ::SetWindowLongPtrW(dialog, DWLP_USER, 0);
    self->BindTo(nullptr);
    self->PostNcDestroy();
  }
  return answer;
}
