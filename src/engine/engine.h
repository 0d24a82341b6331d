// The animation engine: the Start, Draw and Erase phases over the figure set, one frame or a
// run of erase frames per call.
#pragma once

#include <cstdint>

#include "app/run_state.h"
#include "engine/figures.h"
#include "engine/surface.h"

namespace vorlux {

// What the engine needs from the platform; the program's host wraps the window utilities and
// the show or preview, tests use a fake clock.
class EngineHost {
 public:
  virtual ~EngineHost() = default;

  // Dispatches every message waiting in the thread's queue, then returns.
  virtual void ProcessMessages() = 0;
  // Waits the given seconds while processing messages (at least once, also for 0).
  virtual void Pause(float seconds) = 0;
  // Seconds on a clock that never goes back, from an origin near the start of the process so
  // that a 32-bit float still resolves milliseconds after hours.
  virtual double Now() = 0;
  // Puts the desktop picture back behind the animation at the end of a cycle: for the show
  // (RunMode 2) top-most, hide, capture the desktop, show, top-most; for the preview
  // (RunMode 3) the stretched desktop painted through drawDC.
  virtual void RestoreBackground(int32_t runMode, Surface& drawDC) = 0;
  // The run state: RunMode, the colour choice, ClearToBlack and StopRequested, which handlers
  // may raise inside any of the calls above.
  virtual const RunState& Run() const = 0;
};

inline constexpr int16_t kPhaseStart = 0;
inline constexpr int16_t kPhaseDraw = 1;
inline constexpr int16_t kPhaseErase = 2;
inline constexpr float kPhaseSeconds = 20.0f;
inline constexpr float kCycleEndPause = 1.0f;

struct AnimationState {
  FigureSet Figures;
  int16_t EnginePhase = kPhaseStart;
  float PhaseStartTime = 0.0f;  // on the host's clock, as a 32-bit float
  float FrameDelay = 0.1f;
  Rect DrawRect;  // the client area of the window drawn on
};

// One call: new colours for the figures in use, then a colour frame, or erase frames until
// one adds a figure; returns at once once the stop flag is seen. Errors (a coordinate
// overflow, std::overflow_error) end the call and go to the caller.
void AnimateFigures(Surface& drawDC, AnimationState& state, EngineHost& host, RandomSource& random);

}  // namespace vorlux
