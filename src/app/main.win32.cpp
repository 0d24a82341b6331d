// The entry routine: the one place that owns the process's state and hands each job its part.
#include "app/main.h"

#include <windows.h>

#include <string>

#include "app/command_line.h"
#include "app/startup.h"
#include "base/steps.h"
#include "config/settings_store.win32.h"
#include "config/stored_settings.h"
#include "saver/preview.win32.h"
#include "saver/saver_state.win32.h"
#include "saver/show.win32.h"
#include "setup/setup.win32.h"
#include "ui/message_loop.win32.h"
#include "ui/screen_units.win32.h"
#include "ui/window_utils.win32.h"

namespace vorlux {

void EndProgram() { ExitProcess(0); }

namespace {

// This instance's handle on the name every instance holds while it runs.
HANDLE g_instanceMutex = nullptr;

}  // namespace

bool OtherInstanceRunning() {
  static const bool other = [] {
    // Kept open for the life of the process; every later instance sees it.
    g_instanceMutex = CreateMutexW(nullptr, FALSE, kInstanceMutexName);
    return g_instanceMutex != nullptr && GetLastError() == ERROR_ALREADY_EXISTS;
  }();
  return other;
}

namespace {

// Waits up to the given seconds for every other instance to end; true when they have. Gives up
// at once when the window mustExist is gone.
bool OtherInstancesEnd(double seconds, HWND mustExist) {
  // The name lives while any instance holds it: let go of this one's and watch it go.
  if (g_instanceMutex) CloseHandle(g_instanceMutex);
  const double end = MonotonicSeconds() + seconds;
  for (HANDLE other; (other = OpenMutexW(SYNCHRONIZE, FALSE, kInstanceMutexName));) {
    CloseHandle(other);
    // Replaced meanwhile itself: the newer instance is the one to go ahead.
    if (MonotonicSeconds() >= end || !IsWindow(mustExist)) return false;
    Sleep(50);
  }
  g_instanceMutex = CreateMutexW(nullptr, FALSE, kInstanceMutexName);
  return g_instanceMutex != nullptr && GetLastError() != ERROR_ALREADY_EXISTS;
}

}  // namespace

void Main() {
  // Everything the process keeps from start to end, handed to each job as it needs it.
  static RegistrySettingsStore settings;
  static SaverProcess process(settings);
  static CustomColors customColors{};  // the colour chooser's, black at the start of the run
  RunState& s = process.run;
  std::wstring command;
  bool previewActive = false;

  RunStep([&] { s.CopyrightYears = kCopyrightYears; });
  RunStep([&] { s.AppTitle = kAppTitle; });
  RunStep([&] { command = CommandText(ArgumentText(GetCommandLineW())); });
  RunStep([&] { s.RunMode = RunModeOf(command); });
  RunStep([&] {
    // A preview replaced by the settings dialog may still be ending: the new one waits for it.
    bool other = OtherInstanceRunning();
    if (other && s.RunMode == kRunModePreview)
      other = !OtherInstancesEnd(2.0, PreviewWindowFromHandle(PreviewHandle(command)));
    const InstanceDecision d = ApplyInstanceRule(
        s.RunMode, other,
        [&] { return settings.Read(s.AppTitle, kSettingSection, kKeyActiveSetup, L"0"); },
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
  RunStep([&] {
    LoadSettings(s, ReadStoredSettings(settings, s.AppTitle), process.random, TimeOfDaySeconds());
  });
  RunStep([&] {
    process.about.AppTitle = s.AppTitle;
    process.about.CopyrightYears = s.CopyrightYears;
  });

  SetupState setup{s, settings, process.about, customColors};
  switch (s.RunMode) {
    case kRunModeSetup:
      RunStep([&] { RunSetupJob(setup, SetupOwnerHandle(command)); });
      break;
    case kRunModeShow:
      RunStep([&] { RunShowJob(process.state, previewActive); });
      break;
    case kRunModePreview:
      RunStep([&] { RunPreviewJob(process.state, PreviewHandle(command)); });
      break;
    case kRunModePassword:
      MessageBeep(MB_OK);
      break;
    default:
      RunStep([&] { RunSetupJob(setup, 0); });
      break;
  }
  EndProgram();
}

}  // namespace vorlux

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { vorlux::Main(); }
