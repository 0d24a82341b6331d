// The setup job: the settings dialog with the stored choices.
#pragma once

#include <windows.h>

#include <cstdint>

#include "about/about_window.win32.h"
#include "config/run_state.h"
#include "config/settings_store.h"
#include "setup/color_chooser.win32.h"

namespace vorlux {

// What the setup dialog works with, owned by the entry routine.
struct SetupState {
  RunState& run;
  SettingsStore& settings;
  fabout& about;               // opened from the dialog's system menu
  CustomColors& customColors;  // the colour chooser's, kept for the run
};

// Opens the dialog and returns once it is closed. askerHandle: the window handle that followed
// "/C:" on the command line, or 0; that window's parent is disabled while the dialog is open.
void RunSetupJob(SetupState& setup, int32_t askerHandle);

}  // namespace vorlux
