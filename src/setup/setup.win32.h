// The setup job: the settings dialog with the stored choices.
#pragma once

#include <windows.h>

#include "about/about_window.win32.h"
#include "config/run_state.h"
#include "config/settings_store.h"

namespace vorlux {

// What the setup dialog works with, owned by the entry routine.
struct SetupState {
  RunState& run;
  SettingsStore& settings;
  fabout& about;  // opened from the dialog's system menu
};

// Opens the dialog and returns once it is closed. asker: the window whose handle followed "/C:"
// on the command line (its parent owns the dialog), or nullptr.
void RunSetupJob(SetupState& setup, HWND asker);

}  // namespace vorlux
