#include "app/bas_vorlux.win32.h"

#include <windows.h>

#include <string>

#include "app/command_line.h"
#include "app/forms.win32.h"
#include "app/globals.win32.h"
#include "app/startup.h"
#include "app/window_utils.win32.h"
#include "config/registry_store.win32.h"

namespace vorlux {

namespace {

// A failing step is abandoned and the next one runs.
template <class F>
void Step(F&& step) {
  try {
    step();
  } catch (...) {
  }
}

}  // namespace

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

  Step([&] { s.CopyrightYears = kCopyrightYears; });
  Step([&] { s.AppTitle = kAppTitle; });
  Step([&] { command = CommandText(ArgumentText(GetCommandLineW())); });
  Step([&] { s.RunMode = RunModeOf(command); });
  Step([&] {
    const InstanceDecision d = ApplyInstanceRule(
        s.RunMode, OtherInstanceRunning(),
        [&] { return ReadSetting(s.AppTitle, kSettingSection, kKeyActiveSetup, L"0"); },
        [&] { return reinterpret_cast<std::uintptr_t>(FindAppWindow(s.AppTitle, L"")); });
    previewActive = d.previewActive;
    if (d.action == InstanceAction::kRestoreAndEnd)
      RestoreAppWindow(reinterpret_cast<HWND>(d.window));
    if (d.action != InstanceAction::kGoOn) EndProgram();
  });
  Step([&] {
    s.TwipsPerPixelX = ScreenTwipsPerPixelX();
    s.TwipsPerPixelY = ScreenTwipsPerPixelY();
  });
  Step([&] { LoadSettings(s, Settings(), Random(), TimeOfDaySeconds()); });

  switch (s.RunMode) {
    case kRunModeSetup:
      Step([&] { RunSetupJob(command, true); });
      break;
    case kRunModeShow:
      Step([&] { RunShowJob(previewActive); });
      break;
    case kRunModePreview:
      Step([&] { RunPreviewJob(command); });
      break;
    case kRunModePassword:
      MessageBeep(MB_OK);
      break;
    default:
      s.RunMode = kRunModeSetup;
      Step([&] { RunSetupJob(command, false); });
      break;
  }
  EndProgram();
}

}  // namespace vorlux
