#include "app/CToyApp.h"

#include <windows.h>
#include <shellapi.h>
#include <imm.h>

#include <string>

#include "app/CMainFrame.h"
#include "app/GrownUpGestures.h"
#include "app/OptionsBinding.h"
#include "app/SystemChanges.h"
#include "app/UserMessages.h"
#include "core/MediaTable.h"
#include "core/OptionsLibrary.h"
#include "core/PrivateMessages.h"
#include "core/ProgramPaths.h"
#include "core/SettingsBlock.h"
#include "core/SoundThread.h"
#include "framework/DrawingContext.h"
#include "framework/ExecutablePath.h"
#include "framework/MessageBox.h"
#include "resources/resource.h"

namespace {

constexpr const wchar_t* InstanceMutexName = L"MIMITAP_HANDLE_MUTEX";

// The options file beside the program, found by the program's own wide path: the library's 8-bit
// path is empty for a folder the code page cannot spell or too deep for its buffer.
bool OptionsFileExists() {
  const std::wstring path = program_paths::OptionsFile(std::wstring_view(ExecutablePath()));
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

void SendSoundCue(HWND frame, media::SoundCue cue) {
  ::SendMessageW(frame, WMU_SOUND_CUE, static_cast<WPARAM>(cue), 0);
}

}  // namespace

std::span<const CommandEntry<CToyApp>> CToyApp::CommandTable() {
  static constexpr CommandEntry<CToyApp> table[] = {
      {IDM_SETTINGS, &CToyApp::OnSettings},
      {IDM_README_EXIT, &CToyApp::OnReadmeExit},
      {IDM_ABOUT, &CToyApp::OnAbout},
      {IDM_EXIT, &CToyApp::OnExit},
  };
  return table;
}

bool CToyApp::HandleOwnCommand(UINT commandId) { return InvokeCommand(*this, commandId); }

void CToyApp::ActivateRunningCopy() {
  const HWND frame = ::FindWindowW(CMainFrame::WindowClass().c_str(), user_messages::Caption);
  if (frame == nullptr) return;
  const HWND popup = ::GetLastActivePopup(frame);
  // Restoring a maximised frame would shrink it off the screen; only a minimised one needs it.
  if (::IsIconic(popup)) ::ShowWindow(popup, SW_RESTORE);
  ::SetForegroundWindow(popup);
}

LockKeyStates CToyApp::CurrentLockKeys() {
  BYTE state[256] = {};
  ::GetKeyboardState(state);
  return {state[VK_CAPITAL], state[VK_NUMLOCK], state[VK_INSERT]};
}

bool CToyApp::InitInstance() {
  // No text is typed into the toy: the input method stays off for every window of the process, so
  // no key of the Japanese keyboard can open a composition window over the play. It must be off
  // before the first window is made.
  ::ImmDisableIME(static_cast<DWORD>(-1));
  system_changes::UndoOnFault();
  CRandomPicker::UseClock(&clock);

  const HANDLE mutex = ::CreateMutexW(nullptr, TRUE, InstanceMutexName);
  const DWORD mutexError = ::GetLastError();
  instanceMutex.Reset(mutex);
  if (mutexError == ERROR_ALREADY_EXISTS) {
    ActivateRunningCopy();
    return false;
  }

  lockKeysAtStart = CurrentLockKeys();

  // The start-up uses the options library four times in a row, each time loading it by name and
  // freeing it again. One more reference held meanwhile spares mapping and starting it each time.
  OwnedLibrary startupReference = LoadOptionsLibrary();

  auto* frame = new CMainFrame;
  SetMainWindow(frame);

  // Without a usable options library there is no options file to speak of: the hint shows.
  SettingsBlock startup{};
  if (LoadSettings(startup) != 0 || !OptionsFileExists()) {
    ShowMessageBox(nullptr, user_messages::ExitHint, user_messages::Caption, MB_OK | MB_ICONWARNING);
  }

  const bool created = frame->LoadFrame();
  startupReference.Reset();
  if (!created) {
    SetMainWindow(nullptr);  // the refused frame has deleted itself
    return false;
  }
  ::ShowWindow(frame->Handle(), SW_SHOW);
  ::UpdateWindow(frame->Handle());
  // The first frame is on the screen before what it does not need is prepared.
  ShowDrawingNow();
  TheSoundThread().Start();
  frame->FinishStart();
  return true;
}

int CToyApp::ExitInstance() {
  // Whichever way the frame went, nothing it changed in the system outlives the toy.
  system_changes::UndoAll();
  TheSoundThread().End();
  if (lockKeysAtStart) {
    for (const unsigned key : LockKeysToTap(*lockKeysAtStart, CurrentLockKeys())) {
      ::keybd_event(static_cast<BYTE>(key), 0, 0, 0);
      ::keybd_event(static_cast<BYTE>(key), 0, KEYEVENTF_KEYUP, 0);
    }
  }
  instanceMutex.Reset();
  CRandomPicker::UseClock(nullptr);
  return 0;
}

void CToyApp::RunGrownUpDialog(bool isOptionsDialog) {
  Window* frame = MainWindow();
  if (frame == nullptr) return;
  const HWND frameWindow = frame->Handle();
  SendSoundCue(frameWindow, media::SoundCue::OpeningDialog);
  const auto endCode =
      RunLibraryDialog(isOptionsDialog ? LibraryDialog::Options : LibraryDialog::About, frameWindow);
  TheGrownUpGestures().ModalLoopEnded();
  // The toy is in front again for the child once the grown-up's window has gone.
  ::SetForegroundWindow(frameWindow);
  ::SetFocus(frameWindow);
  if (!endCode) return;
  if (isOptionsDialog && *endCode == 1) ::SendMessageW(frameWindow, WMU_SETTINGS_CHANGED, 0, 0);
  SendSoundCue(frameWindow, media::SoundCue::DialogClosed);
}

void CToyApp::OnSettings() { RunGrownUpDialog(true); }

void CToyApp::OnAbout() { RunGrownUpDialog(false); }

void CToyApp::OnReadmeExit() {
  if (Window* frame = MainWindow(); frame != nullptr) ::PostMessageW(frame->Handle(), WM_CLOSE, 0, 0);
  ::ShellExecuteW(nullptr, L"open", program_paths::ReadmeFile(ExecutablePath()).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void CToyApp::OnExit() {
  if (Window* frame = MainWindow(); frame != nullptr) ::SendMessageW(frame->Handle(), WM_CLOSE, 0, 0);
}
