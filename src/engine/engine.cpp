// The animation engine: the Start, Draw and Erase phases over the figure set.
#include "engine/engine.h"

namespace vorlux {
namespace {

// A value rounded to a 32-bit float, also where the compiler would keep wider x87
// intermediates: the phase test compares 32-bit floats on both sides.
float Float32(double value) {
  volatile float rounded = static_cast<float>(value);
  return rounded;
}

bool PhaseElapsed(const AnimationState& state, EngineHost& host) {
  return Float32(host.Now()) > Float32(state.PhaseStartTime + kPhaseSeconds);
}

// A frame in which a step came out negative brings one more figure, after the 25th one again.
void AddFigure(AnimationState& state, EngineHost& host, RandomSource& random) {
  FigureSet& f = state.Figures;
  f.LastFigure = f.LastFigure + 1 > kMaxLastFigure ? 0 : static_cast<int16_t>(f.LastFigure + 1);
  f.Resize(f.LastFigure);
  InitFigures(f, f.LastFigure, host, random);
}

// Returns whether a step size is negative after the move.
bool EndFrame(AnimationState& state, EngineHost& host) {
  host.Pause(state.FrameDelay);
  MoveFigures(state.Figures, host);
  return state.Figures.LineStep < 0 || state.Figures.ArcStep < 0;
}

void EndCycle(Surface& drawDC, AnimationState& state, EngineHost& host) {
  drawDC.FillRect(state.DrawRect);
  host.Pause(kCycleEndPause);
  host.EndCycle(drawDC);
  state.EnginePhase = kPhaseStart;
  state.Figures.LastFigure = 0;  // the tables keep their length until the next resize
}

}  // namespace

void ResetFigures(FigureSet& f, int16_t step) {
  f.LineStep = step;
  f.ArcStep = step;
  f.LastFigure = 0;
  f.Resize(0);
}

uint32_t FirstColor(const ColorChoice& colors, RandomSource& random) {
  return colors.UseRandomColors ? RandomColor(random) : colors.FixedColor;
}

void AnimateFigures(Surface& drawDC, AnimationState& state, EngineHost& host, RandomSource& random,
                    const ColorChoice& colors) {
  FigureSet& f = state.Figures;

  for (int i = 0; !state.GoesOn && i <= f.LastFigure; ++i) {
    if (Stopped(host)) break;
    f.CheckHolds(i + 1);
    f.FigureColors[i] = colors.UseRandomColors ? RandomColor(random) : colors.FixedColor;
  }
  state.GoesOn = false;

  for (;;) {
    if (host.StopRequested()) return;
    bool erase = false;
    switch (state.EnginePhase) {
      case kPhaseStart:
        InitFigures(f, 0, host, random);
        state.PhaseStartTime = Float32(host.Now());
        state.EnginePhase = kPhaseDraw;
        break;
      case kPhaseDraw:
        if (PhaseElapsed(state, host)) {
          f.LastFigure = kMaxLastFigure;
          f.Resize(f.LastFigure);
          InitFigures(f, 0, host, random);
          state.PhaseStartTime = Float32(host.Now());
          state.EnginePhase = kPhaseErase;
          erase = true;
        }
        break;
      case kPhaseErase:
        if (PhaseElapsed(state, host)) EndCycle(drawDC, state, host);
        erase = true;
        break;
      default:
        return;  // only the engine writes the phase; nothing to draw for another value
    }

    if (!erase) {
      for (int i = 0; i <= f.LastFigure; ++i) {
        if (Stopped(host)) break;
        f.CheckHolds(i + 1);
        drawDC.SetPen(f.FigureColors[i], 1);
        DrawFigure(drawDC, f, static_cast<int16_t>(i));
      }
      if (EndFrame(state, host)) AddFigure(state, host, random);
      return;
    }

    drawDC.SetPen(0, 1);
    for (int i = 0; i <= f.LastFigure; ++i) {
      if (Stopped(host)) break;
      DrawFigure(drawDC, f, static_cast<int16_t>(i));
    }
    if (EndFrame(state, host)) {
      AddFigure(state, host, random);
      return;
    }
    // Both steps non-negative: the erase goes on without returning to the caller.
    if (state.OneFramePerCall) {
      state.GoesOn = true;
      return;
    }
  }
}

}  // namespace vorlux
