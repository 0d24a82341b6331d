// What the show and the preview work with: the parts of the process state that the entry
// routine owns and hands to them, one struct for every call, and the engine's host.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string_view>

#include "about/about_window.win32.h"
#include "base/random.h"
#include "config/run_state.h"
#include "config/settings_store.h"
#include "engine/engine.h"
#include "engine/engine_host.h"
#include "engine/gdi_surface.win32.h"
#include "saver/show_input.h"

namespace vorlux {

struct SaverState {
  RunState& run;
  SettingsStore& settings;
  UniformRandom& random;
  AnimationState& animation;
  GraphicsState& graphics;
  InputWatchState& watch;
  fabout& about;  // opened over the show by a plain right click
};

// What a saver process owns for the show or the preview, handed out to them as `state`. The
// settings store is the owner's.
struct SaverProcess {
  explicit SaverProcess(SettingsStore& settings)
      : state{run, settings, random, animation, graphics, watch, about} {}
  SaverProcess(const SaverProcess&) = delete;
  SaverProcess& operator=(const SaverProcess&) = delete;

  RunState run;
  UniformRandom random;
  AnimationState animation;
  GraphicsState graphics;
  InputWatchState watch;
  fabout about{&run};
  SaverState state;
};

// The engine's host in the program: window messages, the sleeping pause, the monotonic clock and
// the stop flag of the run state; the show and the preview each say what ends a cycle.
class WindowsEngineHost final : public EngineHost {
 public:
  using CycleEnd = std::function<void(Surface& drawDC)>;
  using StopTest = std::function<bool()>;

  // stopWhen, when given, is asked besides the stop flag (the preview's own end).
  WindowsEngineHost(const RunState& run, CycleEnd endCycle, StopTest stopWhen = nullptr);

  // At most every 10 ms.
  void ProcessMessages() override;
  // Sleeps on the queue in slices of at most 50 ms and ends early once a stop is due.
  void Pause(float seconds) override;
  double Now() override;
  void EndCycle(Surface& drawDC) override;
  bool StopRequested() const override { return run_.StopRequested || (stopWhen_ && stopWhen_()); }
  // From now until the next call, Now() answers this moment: the animations of every monitor
  // read one clock in a frame tick, so that their phases end in the same tick.
  void StartFrameTick();

 private:
  const RunState& run_;
  CycleEnd endCycle_;
  StopTest stopWhen_;
  double origin_;
  double lastMessages_ = -1;
  std::optional<double> tick_;
};

// Writes ActiveSetup, where a preview announces its window to a show that starts beside it
// ("0": none).
void WriteActiveSetup(SaverState& saver, std::wstring_view value);

// The engine's pen colours as the run state chose them.
inline ColorChoice ColorsOf(const RunState& run) { return {run.UseRandomColors, run.FixedColor}; }

}  // namespace vorlux
