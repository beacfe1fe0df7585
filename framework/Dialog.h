#pragma once
#include "framework/Window.h"

// Moves values between a dialog's controls and the dialog object, in the direction asked.
class DataExchange {
 public:
  DataExchange(HWND dialog, bool saving) : dialog_(dialog), saving_(saving) {}
  bool Saving() const { return saving_; }
  // A check box as 1 (checked) or 0.
  void CheckBox(int controlId, int& value);
  void Text(int controlId, std::wstring& value);
  // Binds a control to the window object that takes it over, once, in either direction.
  void Control(int controlId, Window& control);

 private:
  HWND dialog_;
  bool saving_;
};

// A dialog built from a resource template of the module that holds the dialog's code, run modal
// (its own loop, an end code) or modeless (its messages pass through the application's loop).
class Dialog : public Window {
 public:
  Dialog(HINSTANCE module, int templateId) : module_(module), templateId_(templateId) {}
  ~Dialog() override;

  // The end code given to EndDialog, or -1 when the dialog could not be shown.
  INT_PTR DoModal(HWND owner);
  bool CreateModeless(HWND owner);
  void EndDialog(INT_PTR code);

  bool PreTranslateMessage(MSG& message) override;

 protected:
  // Controls to object (saving) or object to controls.
  virtual void DoDataExchange(DataExchange&) {}
  virtual bool OnInitDialog();
  virtual void OnOK();
  virtual void OnCancel();
  bool UpdateData(bool saving);

  LRESULT HandleMessage(const Message& message) override;

 private:
  friend class Window;
  static INT_PTR CALLBACK DialogProcedure(HWND dialog, UINT id, WPARAM wParam, LPARAM lParam) noexcept;
  static Dialog* Bound(HWND dialog);

  HINSTANCE module_;
  int templateId_;
  bool modal_ = false;
  bool handled_ = false;
};
