#include "engine/engine.h"

#include <gtest/gtest.h>

#include "engine_fakes.h"

namespace vorlux {
namespace {

using test::FakeHost;
using test::MakeAnimation;
using test::Mirrored;
using test::RecordingSurface;
using test::ScriptedRandom;

using Log = std::vector<std::string>;

// The engine on a fake clock at 1000 s; pens, pauses, fills and backgrounds go to the log,
// segments and arcs are only counted.
struct Rig {
  explicit Rig(int16_t step = 6, std::vector<float> draws = {0.5f})
      : state(MakeAnimation(512, 384, step)), host(&log), surface(&log, false), random(draws) {
    host.colors.FixedColor = 0x123456;
  }
  void Call() { AnimateFigures(surface, state, host, random, host.colors); }
  void SetPhase(int16_t phase, float start, int16_t last) {
    state.EnginePhase = phase;
    state.PhaseStartTime = start;
    state.Figures.Resize(last);
    state.Figures.LastFigure = last;
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

TEST(AnimateFigures, FirstCallPlacesFigureZeroAndDrawsOneColourFrame) {
  Rig rig;
  rig.Call();
  EXPECT_EQ(rig.log, (Log{kPen, kFrameDelay}));
  EXPECT_EQ(rig.surface.primitives, 8);
  EXPECT_EQ(rig.state.EnginePhase, kPhaseDraw);
  EXPECT_EQ(rig.state.PhaseStartTime, 1000.0f);
  EXPECT_EQ(rig.state.Figures.LastFigure, 0);          // both steps still positive
  EXPECT_EQ(rig.state.Figures.LineX1[0][0], 306 + 6);  // placed, then moved
}

TEST(AnimateFigures, DrawToEraseBringsTwentyFiveFiguresInBlack) {
  Rig rig(6, {0.99f});  // every figure on the axis: the first move turns the steps
  rig.host.colors.UseRandomColors = true;
  rig.SetPhase(kPhaseDraw, 979.5f, 3);
  rig.Call();
  EXPECT_EQ(rig.log, (Log{kBlackPen, kFrameDelay}));
  EXPECT_EQ(rig.surface.primitives, 25 * 8);
  EXPECT_EQ(rig.state.EnginePhase, kPhaseErase);
  EXPECT_EQ(rig.state.PhaseStartTime, 1000.0f);
  // Colours for the call's 4 figures, 25 placed, one added after the frame: the change itself
  // draws no colours.
  EXPECT_EQ(rig.random.count, 4u * 6 + 25 * 8 + 8);
  EXPECT_EQ(rig.state.Figures.LastFigure, 0);  // the turned step wrapped 25 figures to one
  EXPECT_EQ(rig.state.Figures.TableSize(), 1);
}

TEST(AnimateFigures, NegativeStepAddsOneFigurePerFrameAndWrapsAfterTwentyFive) {
  Rig rig(-6);
  rig.state = MakeAnimation(10000, 10000, -6);  // far from every edge: the steps stay negative
  for (int call = 1; call <= 27; ++call) {
    rig.Call();
    const FigureSet& f = rig.state.Figures;
    ASSERT_EQ(f.LastFigure, call % 25) << call;
    ASSERT_EQ(f.TableSize(), f.LastFigure + 1);
    // Figure 0 keeps moving through every resize until the wrap places it anew.
    ASSERT_EQ(f.LineX1[0][0], 5050 - 6 * (call % 25)) << call;
    ASSERT_EQ(f.LineX1[0][f.LastFigure], 5050) << call;  // the newest, just placed
  }
}

TEST(AnimateFigures, EndOfCycleFillsPausesEndsTheCycleOnTheHostAndStartsAgain) {
  Rig rig;
  rig.SetPhase(kPhaseErase, 979.5f, kMaxLastFigure);
  rig.state.Figures.LastFigure = 5;
  rig.Call();
  // Figure 0 erased where it stood, then, no step being negative, the next cycle's first
  // colour frame in the same call.
  const Log expected = {"Fill 0 0 1024 768", "Pause 1", "EndCycle", kBlackPen, kFrameDelay, kPen,
                        kFrameDelay};
  EXPECT_EQ(rig.log, expected);
  EXPECT_EQ(rig.surface.primitives, 2 * 8);
  EXPECT_EQ(rig.state.EnginePhase, kPhaseDraw);
  EXPECT_FLOAT_EQ(rig.state.PhaseStartTime, 1001.1f);
  EXPECT_EQ(rig.state.Figures.LastFigure, 0);
  EXPECT_EQ(rig.state.Figures.TableSize(), 25);  // not resized at the end of a cycle
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
  EXPECT_EQ(rig.surface.primitives, 3 * 8);
  EXPECT_EQ(rig.state.Figures.LastFigure, 10);     // added, but not placed
  EXPECT_EQ(rig.state.Figures.LineX1[0], before);  // the move returned at once too

  rig.log.clear();
  rig.Call();
  EXPECT_TRUE(rig.log.empty());

  // The erase pass goes on frame after frame without returning, until the stop.
  Rig erase;
  erase.SetPhase(kPhaseErase, 995.0f, 0);
  InitFigures(erase.state.Figures, 0, placer, erase.random);  // x 306 moving right: no turn
  int pauses = 0;
  erase.host.onPause = [&] { erase.host.stop = ++pauses == 3; };
  erase.Call();
  EXPECT_EQ(erase.log,
            (Log{kBlackPen, kFrameDelay, kBlackPen, kFrameDelay, kBlackPen, kFrameDelay}));
  EXPECT_EQ(erase.state.Figures.LineX1[0][0], 306 + 2 * 6);
}

TEST(AnimateFigures, EveryLiveFigureStaysFourFoldMirrored) {
  const struct {
    int32_t cx, cy;
    int16_t step;
  } areas[] = {{512, 384, 6}, {76, 56, 3}, {40, 300, 3}, {700, 20, 6}};
  for (const auto& a : areas) {
    AnimationState state = MakeAnimation(a.cx, a.cy, a.step);
    FakeHost host;
    host.colors.UseRandomColors = true;
    UniformRandom generator;
    UniformRandomSource random(generator);
    RecordingSurface surface;
    for (int call = 0; call < 3000; ++call) {
      AnimateFigures(surface, state, host, random, host.colors);
      ASSERT_TRUE(Mirrored(state.Figures)) << a.cx << "x" << a.cy << " call " << call;
    }
    EXPECT_GT(host.clock, 1000.0 + 2 * 41);  // whole cycles went by
  }
}

Log Drawing(bool randomColors, float seedTime) {
  Log log;
  AnimationState state = MakeAnimation(512, 384, 6);
  FakeHost host;
  host.colors.UseRandomColors = randomColors;
  UniformRandom generator;
  if (randomColors) generator.Seed(seedTime);  // as the entry routine does
  UniformRandomSource random(generator);
  RecordingSurface surface(&log);
  for (int i = 0; i < 300; ++i) AnimateFigures(surface, state, host, random, host.colors);
  return log;
}

TEST(AnimateFigures, FixedColourRepeatsAndClockSeededColoursDiffer) {
  EXPECT_EQ(Drawing(false, 0), Drawing(false, 0));
  EXPECT_NE(Drawing(true, 43200.5f), Drawing(true, 43200.625f));
}

TEST(AnimateFigures, PhaseChangesStrictlyAfterTwentySecondsInThirtyTwoBitFloats) {
  Rig rig;
  rig.Call();
  for (double now : {1020.0, 1020.00001}) {  // the second is 1020 as a 32-bit float
    rig.host.clock = now;
    rig.Call();
    EXPECT_EQ(rig.state.EnginePhase, kPhaseDraw) << now;
  }
  rig.host.clock = 1020.0002;
  rig.Call();
  EXPECT_EQ(rig.state.EnginePhase, kPhaseErase);

  // The host's clock never goes back: a phase begun just before midnight, or days into the
  // run, lasts its 20 seconds.
  for (double start : {86399.0 - 10, 10 * 86400.0}) {
    Rig day;
    day.host.clock = start;
    while (day.state.EnginePhase != kPhaseErase && day.host.clock < start + 100) day.Call();
    const double drawPhase = day.state.PhaseStartTime - static_cast<float>(start);
    EXPECT_GT(drawPhase, 20.0) << start;
    EXPECT_LT(drawPhase, 20.25) << start;
  }
}

}  // namespace
}  // namespace vorlux
