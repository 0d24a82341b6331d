#include "app/bas_vorlux.win32.h"

#include <windows.h>

#include <string>

#include "app/command_line.h"
#include "app/forms.win32.h"
#include "app/globals.win32.h"
#include "app/startup.h"
#include "app/steps.h"
#include "app/window_utils.win32.h"
#include "config/registry_store.win32.h"

namespace vorlux {

void EndProgram() { ExitProcess(0); }

bool OtherInstanceRunning() {
  static const bool other = [] {
    // Kept open for the life of the process; every later instance sees it.
    HANDLE mutex = CreateMutexW(nullptr, FALSE, kInstanceMutexName);
    return mutex != nullptr && GetLastError() == ERROR_ALREADY_EXISTS;
  }();
  return other;
}

void Main() {
  RunState& s = Run();
  std::wstring command;
  bool previewActive = false;

  RunStep([&] { s.CopyrightYears = kCopyrightYears; });
  RunStep([&] { s.AppTitle = kAppTitle; });
  RunStep([&] { command = CommandText(ArgumentText(GetCommandLineW())); });
  RunStep([&] { s.RunMode = RunModeOf(command); });
  RunStep([&] {
    const InstanceDecision d = ApplyInstanceRule(
        s.RunMode, OtherInstanceRunning(),
        [&] { return ReadSetting(s.AppTitle, kSettingSection, kKeyActiveSetup, L"0"); },
        [&] { return reinterpret_cast<std::uintptr_t>(FindAppWindow(s.AppTitle, L"")); });
    previewActive = d.previewActive;
    if (d.action == InstanceAction::kRestoreAndEnd)
      RestoreAppWindow(reinterpret_cast<HWND>(d.window));
    if (d.action != InstanceAction::kGoOn) EndProgram();
  });
  RunStep([&] {
    s.TwipsPerPixelX = ScreenTwipsPerPixelX();
    s.TwipsPerPixelY = ScreenTwipsPerPixelY();
  });
  RunStep([&] { LoadSettings(s, Settings(), Random(), TimeOfDaySeconds()); });

  switch (s.RunMode) {
    case kRunModeSetup:
      RunStep([&] { RunSetupJob(command, true); });
      break;
    case kRunModeShow:
      RunStep([&] { RunShowJob(previewActive); });
      break;
    case kRunModePreview:
      RunStep([&] { RunPreviewJob(command); });
      break;
    case kRunModePassword:
      MessageBeep(MB_OK);
      break;
    default:
      s.RunMode = kRunModeSetup;
      RunStep([&] { RunSetupJob(command, false); });
      break;
  }
  EndProgram();
}

}  // namespace vorlux
