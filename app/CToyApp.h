#pragma once
#include <optional>
#include <span>

#include "app/LockKeyRestore.h"
#include "core/PlatformClock.h"
#include "framework/Application.h"
#include "framework/Handles.h"
#include "framework/MessageTable.h"

// The application object: one copy at a time, the lock keys put back at exit, the exit hint, the
// main frame, and the grown-up menu's commands.
class CToyApp final : public Application {
 public:
  CToyApp() = default;

  bool HandleOwnCommand(UINT commandId) override;
  static std::span<const CommandEntry<CToyApp>> CommandTable();

 protected:
  bool InitInstance() override;
  int ExitInstance() override;

 private:
  void OnSettings();
  void OnReadmeExit();
  void OnAbout();
  void OnExit();
  void RunGrownUpDialog(bool isOptionsDialog);
  static void ActivateRunningCopy();
  static LockKeyStates CurrentLockKeys();

  PlatformClock clock;
  // The lock keys as they were at start, once recorded.
  std::optional<LockKeyStates> lockKeysAtStart;
  OwnedKernelHandle instanceMutex;
};
