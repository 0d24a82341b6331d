// What the show and the preview work with: the parts of the process state that the entry
// routine owns and hands to them, one struct for every call.
#pragma once

#include <windows.h>

#include "about/about_window.win32.h"
#include "base/random.h"
#include "config/run_state.h"
#include "config/settings_store.h"
#include "engine/engine.h"
#include "engine/gdi_surface.win32.h"

namespace vorlux {

// The input watch's own state: the reference position of the mouse.
struct InputWatchState {
  bool CursorPosRecorded = false;
  POINT FirstCursorPos{0, 0};
};

struct SaverState {
  RunState& run;
  SettingsStore& settings;
  UniformRandom& random;
  AnimationState& animation;
  GraphicsState& graphics;
  InputWatchState& watch;
  fabout& about;  // opened over the show by a plain right click
};

// The engine's pen colours as the run state chose them.
inline ColorChoice ColorsOf(const RunState& run) {
  return {run.UseRandomColors, run.FixedColor};
}

}  // namespace vorlux
