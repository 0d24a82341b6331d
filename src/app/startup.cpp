// The single-instance rule and the reading of the settings into the run state.
#include "app/startup.h"

#include "app/command_line.h"
#include "config/settings_grammar.h"

namespace vorlux {

InstanceDecision ApplyInstanceRule(int32_t runMode, bool otherInstanceRunning,
                                   const std::function<std::wstring()>& readActiveSetup,
                                   const std::function<std::uintptr_t()>& findAppWindow) {
  InstanceDecision d;
  bool lookForWindow = !otherInstanceRunning;
  if (otherInstanceRunning) {
    switch (runMode) {
      case kRunModeShow: {
        // A show may start beside a running preview (the settings dialog's test run). A value
        // too large to be a number announces nothing.
        const auto announced = LeadingNumber(readActiveSetup());
        if (announced && *announced != 0) {
          d.previewActive = true;
        } else {
          d.action = InstanceAction::kEnd;
          return d;
        }
        break;
      }
      case kRunModePreview:
        d.action = InstanceAction::kEnd;
        return d;
      case kRunModeSetup:
        lookForWindow = true;
        break;
      default:
        break;
    }
  }
  if (lookForWindow) {
    if (const std::uintptr_t w = findAppWindow()) {
      d.action = InstanceAction::kRestoreAndEnd;
      d.window = w;
    }
  }
  return d;
}

void LoadSettings(RunState& s, const StoredSettings& stored, UniformRandom& random,
                  float timeOfDay) {
  if (stored.BlackScreen) s.ClearToBlack = *stored.BlackScreen;
  if (stored.MouseMove) s.MouseMoveEnds = *stored.MouseMove;
  if (stored.RandomColors) {
    random.Seed(timeOfDay);
    s.UseRandomColors = true;
  } else {
    if (const auto c = ParseColorTriplet(stored.ColorFixed)) s.FixedColor = *c;
    s.UseRandomColors = false;
  }
}

}  // namespace vorlux
