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

void LoadSettings(RunState& s, SettingsStore& store, UniformRandom& random, float timeOfDay) {
  const auto read = [&](std::wstring_view key, std::wstring_view def) {
    return store.Read(s.AppTitle, kSettingSection, key, def);
  };
  const std::wstring colorFixed = read(kKeyColorFixed, L"");
  const std::wstring colorRandom = read(kKeyColorRandom, L"1");
  if (const auto v = ParseBoolWord(read(kKeyBlackScreen, L"1"))) s.ClearToBlack = *v;
  if (const auto v = ParseBoolWord(read(kKeyMouseMove, L"0"))) s.MouseMoveEnds = *v;
  // A text that cannot be converted counts as the default, random colours: skipping the choice
  // would leave every figure black.
  if (ParseBoolWord(colorRandom).value_or(true)) {
    random.Seed(timeOfDay);
    s.UseRandomColors = true;
  } else {
    if (const auto c = ParseColorTriplet(colorFixed)) s.FixedColor = *c;
    s.UseRandomColors = false;
  }
}

}  // namespace vorlux
