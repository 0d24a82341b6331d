// The animation engine: the Start, Draw and Erase phases over the figure set, one frame or a
// run of erase frames per call.
#pragma once

#include <cstdint>

#include "base/random.h"
#include "engine/engine_host.h"
#include "engine/figures.h"
#include "engine/surface.h"

namespace vorlux {

inline constexpr int16_t kPhaseStart = 0;
inline constexpr int16_t kPhaseDraw = 1;
inline constexpr int16_t kPhaseErase = 2;
inline constexpr float kPhaseSeconds = 20.0f;
inline constexpr float kCycleEndPause = 1.0f;

// The pen colour of every frame: a random one per figure, or the one fixed colour.
struct ColorChoice {
  bool UseRandomColors = false;
  uint32_t FixedColor = 0;
};

struct AnimationState {
  FigureSet Figures;
  int16_t EnginePhase = kPhaseStart;
  float PhaseStartTime = 0.0f;  // on the host's clock, as a 32-bit float
  float FrameDelay = 0.1f;
  Rect DrawRect;  // the client area of the window drawn on
  // Set: every call returns after one frame, so that one caller can take turns over several
  // animations; the frames and their order stay the same, a call merely goes on where the last
  // one returned.
  bool OneFramePerCall = false;
  bool GoesOn = false;  // the last call returned within a run of frames
};

// A fresh figure set for a new show or preview: one figure, both steps as given.
void ResetFigures(FigureSet& figures, int16_t step);

// The colour the first frame is drawn with, before the engine chooses any.
uint32_t FirstColor(const ColorChoice& colors, RandomSource& random);

// One call: new colours for the figures in use, then a colour frame, or erase frames until
// one adds a figure (one frame only with OneFramePerCall); returns at once once the stop flag
// is seen. Errors (a coordinate overflow, OverflowError) end the call and go to the caller.
void AnimateFigures(Surface& drawDC, AnimationState& state, EngineHost& host, RandomSource& random,
                    const ColorChoice& colors);

}  // namespace vorlux
