// The animation engine's phase machine on a fake clock, from single calls to hours of frames.
#include "engine/engine.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <utility>

#include "engine_fakes.h"

namespace vorlux::test {
namespace {

using Log = std::vector<std::string>;

// The engine on a fake clock at 1000 s; pens, pauses, fills and cycle ends go to the log,
// segments and arcs are only counted.
struct Rig {
  explicit Rig(int16_t step = 6, std::vector<float> draws = {0.5f})
      : state(MakeAnimation(512, 384, step)), host(&log), surface(&log, false), random(draws) {
    host.colors.FixedColor = 0x123456;
  }
  void Call() { AnimateFigures(surface, state, host, random, host.colors); }
  std::string Summary() const {
    std::ostringstream s;
    s << "phase " << state.EnginePhase << " from " << state.PhaseStartTime << ", "
      << state.Figures.LastFigure + 1 << " of " << state.Figures.TableSize() << " figures, x "
      << state.Figures.LineX1[0][0] << ", " << surface.primitives << " shapes";
    return s.str();
  }
  void SetPhase(int16_t phase, float start, int16_t last) {
    state.EnginePhase = phase;
    state.PhaseStartTime = start;
    state.Figures.Resize(state.Figures.LastFigure = last);
  }

  AnimationState state;
  Log log;
  FakeHost host;
  RecordingSurface surface;
  ScriptedRandom random;
};

constexpr const char* kPen = "Pen 1193046 1";  // the fixed colour 0x123456
constexpr const char* kBlackPen = "Pen 0 1";
constexpr const char* kFrameDelay = "Pause 0.1";

TEST(AnimateFigures, FirstCallDrawsOneColourFrameAndThePhaseEndsAfter20SecondsIn32BitFloats) {
  Rig rig;
  rig.Call();
  EXPECT_EQ(rig.log, (Log{kPen, kFrameDelay}));
  // Placed at 0.5 * 512 + 50 = 306, then moved; both steps still positive.
  EXPECT_EQ(rig.Summary(), "phase 1 from 1000, 1 of 1 figures, x 312, 8 shapes");
  for (double now : {1020.0, 1020.00001}) {  // the second is 1020 as a 32-bit float
    rig.host.clock = now;
    rig.Call();
    EXPECT_EQ(rig.state.EnginePhase, kPhaseDraw) << now;
  }
  rig.host.clock = 1020.0002;
  rig.Call();
  EXPECT_EQ(rig.state.EnginePhase, kPhaseErase);
}

TEST(AnimateFigures, DrawToEraseBringsTwentyFiveFiguresInBlack) {
  Rig rig(6, {0.99f});  // every figure on the axis: the first move turns the steps
  rig.host.colors.UseRandomColors = true;
  rig.SetPhase(kPhaseDraw, 979.5f, 3);
  rig.Call();
  EXPECT_EQ(rig.log, (Log{kBlackPen, kFrameDelay}));
  // The turned step wrapped 25 figures to one, placed anew.
  EXPECT_EQ(rig.Summary(), "phase 2 from 1000, 1 of 1 figures, x 512, 200 shapes");
  // Colours for the call's 4 figures, 25 placed, one added after the frame: the change itself
  // draws no colours.
  EXPECT_EQ(rig.random.count, 4u * 6 + 25 * 8 + 8);
}

TEST(AnimateFigures, NegativeStepAddsOneFigurePerFrameAndWrapsAfterTwentyFive) {
  // Both steps negative, the arcs' alone, the segments' alone.
  for (auto [lineStep, arcStep] : {std::pair<int16_t, int16_t>{-6, -6}, {6, -6}, {-6, 6}}) {
    Rig rig;
    rig.state = MakeAnimation(10000, 10000, lineStep);  // far from every edge: no step turns
    rig.state.Figures.ArcStep = arcStep;
    SCOPED_TRACE(testing::Message() << "steps " << lineStep << ", " << arcStep);
    for (int call = 1; call <= 27; ++call) {
      rig.Call();
      const FigureSet& f = rig.state.Figures;
      ASSERT_EQ(f.LastFigure, call % 25) << call;
      ASSERT_EQ(f.TableSize(), f.LastFigure + 1);
      // Figure 0 keeps moving through every resize until the wrap places it anew.
      ASSERT_EQ(f.LineX1[0][0], 5050 + lineStep * (call % 25)) << call;
      ASSERT_EQ(f.LineX1[0][f.LastFigure], 5050) << call;  // the newest, just placed
    }
  }
}

TEST(AnimateFigures, EndOfCycleFillsPausesEndsTheCycleOnTheHostAndStartsAgain) {
  Rig rig;
  rig.SetPhase(kPhaseErase, 979.5f, kMaxLastFigure);
  rig.state.Figures.LastFigure = 5;
  rig.Call();
  // Figure 0 erased where it stood, then, no step being negative, the next cycle's first
  // colour frame in the same call.
  EXPECT_EQ(rig.log, (Log{"Fill 0 0 1024 768", "Pause 1", "EndCycle", kBlackPen, kFrameDelay, kPen,
                          kFrameDelay}));
  // The tables are not resized at the end of a cycle.
  EXPECT_EQ(rig.Summary(), "phase 1 from 1001.1, 1 of 25 figures, x 312, 16 shapes");
}

TEST(AnimateFigures, StopMidPassStillPausesThenReturnsAtOnce) {
  Rig rig(-6);
  rig.SetPhase(kPhaseDraw, 995.0f, 9);
  FakeHost placer;
  InitFigures(rig.state.Figures, 0, placer, rig.random);
  const auto before = rig.state.Figures.LineX1[0];
  // Ten yields in the colour refresh, then one per figure drawn: the stop comes before figure 3.
  rig.host.onYield = [&] { rig.host.stop = rig.host.yields >= 14; };
  rig.Call();
  EXPECT_EQ(rig.log, (Log{kPen, kPen, kPen, kFrameDelay}));
  EXPECT_EQ(rig.Summary(), "phase 1 from 995, 11 of 11 figures, x 306, 24 shapes");  // not placed
  EXPECT_EQ(rig.state.Figures.LineX1[0], before);  // the move returned at once too
  rig.log.clear();
  rig.Call();
  EXPECT_TRUE(rig.log.empty());

  // The erase pass goes on frame after frame without returning, until the stop.
  Rig erase;
  erase.SetPhase(kPhaseErase, 995.0f, 0);
  InitFigures(erase.state.Figures, 0, placer, erase.random);  // x 306 moving right: no turn
  erase.host.onPause = [&] { erase.host.stop = erase.log.size() == 6; };
  erase.Call();
  EXPECT_EQ(erase.log,
            (Log{kBlackPen, kFrameDelay, kBlackPen, kFrameDelay, kBlackPen, kFrameDelay}));
  EXPECT_EQ(erase.state.Figures.LineX1[0][0], 306 + 2 * 6);
}

TEST(AnimateFigures, HoursOfFramesStayMirroredNearTheirQuarterAndOnTime) {
  // clang-format off
  const struct { int32_t cx, cy; int16_t step; bool randomColors; } areas[] = {
      {512, 384, 6, true}, {76, 56, 3, false}, {40, 300, 3, true}, {700, 20, 6, true}};
  // clang-format on
  for (const auto& a : areas) {
    AnimationState state = MakeAnimation(a.cx, a.cy, a.step);
    const FigureSet& f = state.Figures;
    FakeHost host;
    host.colors.UseRandomColors = a.randomColors;
    UniformRandom generator;
    UniformRandomSource random(generator);
    RecordingSurface surface;
    SCOPED_TRACE(testing::Message() << a.cx << "x" << a.cy);
    for (const double end = host.clock + 2 * 3600.0; host.clock < end;) {
      AnimateFigures(surface, state, host, random, host.colors);
      ASSERT_TRUE(Mirrored(f)) << host.clock;
      // The turning rule keeps a segment's left end left of the vertical axis and its right end
      // right of 0, and segments never grow: x stays within the left half, widened by a half.
      for (const CoordinateTable* x : {&f.LineX1, &f.LineX2, &f.ArcLeft, &f.ArcRight})
        for (int i = 0; i <= f.LastFigure; ++i)
          ASSERT_LE(std::abs((*x)[0][i] - a.cx / 2), 1.5 * a.cx);
    }
    // A cycle: 20 s of colour frames and 20 s of erase frames, each phase ending at the first
    // frame after, then the second's pause and one more erase frame.
    EXPECT_TRUE(surface.fills >= 7200 / 41.5 && surface.fills <= 7200 / 41.0 + 1) << surface.fills;
  }
}

}  // namespace
}  // namespace vorlux::test
