// The decisions of the entry routine that need no window: the single-instance rule and the
// reading of the settings into the run state.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "base/random.h"
#include "config/run_state.h"
#include "config/stored_settings.h"

namespace vorlux {

enum class InstanceAction {
  kGoOn,           // run the job
  kEnd,            // end the program at once
  kRestoreAndEnd,  // bring the found window forward, then end
};

struct InstanceDecision {
  InstanceAction action = InstanceAction::kGoOn;
  bool previewActive = false;  // a show may run beside a preview that announced itself
  std::uintptr_t window = 0;   // the window to bring forward
};

// readActiveSetup gives the stored ActiveSetup text ("0" when absent); findAppWindow gives the
// program's open top-level window titled with the application title, or 0.
InstanceDecision ApplyInstanceRule(int32_t runMode, bool otherInstanceRunning,
                                   const std::function<std::wstring()>& readActiveSetup,
                                   const std::function<std::uintptr_t()>& findAppWindow);

// The stored settings into the run state. A flag that did not convert leaves its target as it
// was, and so does a fixed colour that ParseColorTriplet refuses. The generator is seeded from
// the time of day only when random colours are on.
void LoadSettings(RunState& state, const StoredSettings& stored, UniformRandom& random,
                  float timeOfDaySeconds);

}  // namespace vorlux
