#pragma once
#include "framework/Window.h"

// A top-level window with one pane: the child with id PaneId, kept sized to the whole client area.
// Commands go to the pane first, then to the frame, then to the application. Closing hides and
// destroys the window; the frame object deletes itself once its window is gone, and the
// application's main frame ends the message loop as it goes.
class FrameWindow : public Window {
 public:
  static constexpr UINT PaneId = 0xE900;

  // Creates the frame; on failure the object has deleted itself.
  bool CreateFrame(CreateParams params);

  bool RouteCommand(UINT commandId) override;

  HWND Pane() const { return ::GetDlgItem(Handle(), PaneId); }

 protected:
  LRESULT HandleMessage(const Message& message) override;
  void PostNcDestroy() override;
  void LayoutPane();

 private:
  bool creating_ = false;
};
