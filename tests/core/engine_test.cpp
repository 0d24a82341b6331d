#include "engine/engine.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "app/command_line.h"
#include "engine_fakes.h"

namespace vorlux {
namespace {

using testing::CountingSurface;
using testing::FakeHost;
using testing::MakeAnimation;
using testing::Mirrored;
using testing::RecordingSurface;
using testing::ScriptedRandom;

constexpr uint32_t kFixed = 0x123456;

// The log without the segments and arcs, which are counted instead.
std::vector<std::string> Outline(const std::vector<std::string>& log, int* primitives) {
  std::vector<std::string> out;
  for (const auto& e : log) {
    if (e.rfind("Line", 0) == 0 || e.rfind("Arc", 0) == 0) {
      ++*primitives;
    } else {
      out.push_back(e);
    }
  }
  return out;
}

struct Rig {
  explicit Rig(AnimationState s, std::vector<float> draws = {0.5f})
      : state(std::move(s)), host(&log), surface(log), random(std::move(draws)) {
    host.run.FixedColor = kFixed;
    host.run.RunMode = kRunModeShow;
  }
  void Call() { AnimateFigures(surface, state, host, random); }

  AnimationState state;
  std::vector<std::string> log;
  FakeHost host;
  RecordingSurface surface;
  ScriptedRandom random;
};

TEST(AnimateFigures, FirstCallPlacesFigureZeroAndDrawsOneColourFrame) {
  Rig rig(MakeAnimation(512, 384, 6));
  rig.Call();
  FigureSet placed = MakeAnimation(512, 384, 6).Figures;
  ScriptedRandom same({0.5f});
  FakeHost quiet;
  InitFigures(placed, 0, quiet, same);
  std::vector<std::string> expected = {"Pen 1193046 1"};
  RecordingSurface drawn(expected);
  DrawFigure(drawn, placed, 0);
  expected.push_back("Pause 0.1");
  EXPECT_EQ(rig.log, expected);
  EXPECT_EQ(rig.state.EnginePhase, kPhaseDraw);
  EXPECT_EQ(rig.state.PhaseStartTime, 1000.0f);
  EXPECT_EQ(rig.state.Figures.LastFigure, 0);  // both steps still positive
  EXPECT_EQ(rig.state.Figures.LineX1[0][0], 306 + 6);
}

TEST(AnimateFigures, DrawToEraseBringsTwentyFiveFiguresInBlack) {
  // Every figure lands on the axis, so the first move turns the steps and the call returns.
  Rig rig(MakeAnimation(512, 384, 6), {0.99f});
  rig.host.run.UseRandomColors = true;
  rig.state.EnginePhase = kPhaseDraw;
  rig.state.PhaseStartTime = 979.5f;
  rig.state.Figures.LastFigure = 3;
  rig.state.Figures.Resize(3);
  rig.Call();
  int primitives = 0;
  const std::vector<std::string> outline = {"Pen 0 1", "Pause 0.1"};
  EXPECT_EQ(Outline(rig.log, &primitives), outline);
  EXPECT_EQ(primitives, 25 * 8);
  EXPECT_EQ(rig.state.EnginePhase, kPhaseErase);
  EXPECT_EQ(rig.state.PhaseStartTime, 1000.0f);
  // Colours for the 4 figures of the call, 25 placed, one added after the frame; the change
  // itself refreshes no colour.
  EXPECT_EQ(rig.random.count, 4u * 6 + 25 * 8 + 8);
  EXPECT_EQ(rig.state.Figures.LastFigure, 0);  // the turned step wrapped 25 figures to one
  EXPECT_EQ(rig.state.Figures.TableSize(), 1);
}

TEST(AnimateFigures, NegativeStepAddsOneFigurePerFrameAndWrapsAfterTwentyFive) {
  // Far from every edge, so the negative steps stay negative for the whole run.
  Rig rig(MakeAnimation(10000, 10000, -6));
  for (int call = 1; call <= 27; ++call) {
    rig.Call();
    const FigureSet& f = rig.state.Figures;
    ASSERT_EQ(f.LastFigure, call % 25) << "call " << call;
    ASSERT_EQ(f.TableSize(), f.LastFigure + 1);
    // Figure 0 keeps moving through every resize until the wrap places it anew.
    const int framesSincePlaced = call < 25 ? call : call - 25;
    ASSERT_EQ(f.LineX1[0][0], 5050 - 6 * framesSincePlaced) << "call " << call;
    if (f.LastFigure > 0) {
      ASSERT_EQ(f.LineX1[0][f.LastFigure], 5050);
    }
  }
}

TEST(AnimateFigures, EndOfCycleFillsPausesPutsTheBackgroundBackAndStartsAgain) {
  const struct {
    int32_t runMode;
    bool clearToBlack;
    const char* background;
  } cases[] = {{kRunModeShow, false, "Background 2"},
               {kRunModePreview, false, "Background 3"},
               {kRunModeShow, true, nullptr},
               {kRunModeSetup, false, nullptr}};
  for (const auto& c : cases) {
    Rig rig(MakeAnimation(512, 384, 6));
    rig.host.run.RunMode = c.runMode;
    rig.host.run.ClearToBlack = c.clearToBlack;
    rig.state.EnginePhase = kPhaseErase;
    rig.state.PhaseStartTime = 979.5f;
    rig.state.Figures.Resize(kMaxLastFigure);
    rig.state.Figures.LastFigure = 5;
    rig.Call();
    std::vector<std::string> expected = {"Fill 0 0 1024 768", "Pause 1"};
    if (c.background) expected.push_back(c.background);
    // Figure 0 erased where it stood, then the next cycle's first colour frame.
    for (const char* e : {"Pen 0 1", "Pause 0.1", "Pen 1193046 1", "Pause 0.1"})
      expected.push_back(e);
    int primitives = 0;
    EXPECT_EQ(Outline(rig.log, &primitives), expected);
    EXPECT_EQ(primitives, 2 * 8);
    EXPECT_EQ(rig.state.EnginePhase, kPhaseDraw);
    EXPECT_FLOAT_EQ(rig.state.PhaseStartTime, 1001.1f);
    EXPECT_EQ(rig.state.Figures.LastFigure, 0);
    EXPECT_EQ(rig.state.Figures.TableSize(), 25);  // not resized at the end of a cycle
  }
}

TEST(AnimateFigures, StopMidPassStillPausesThenReturnsAtOnce) {
  Rig rig(MakeAnimation(512, 384, -6));
  rig.state.EnginePhase = kPhaseDraw;
  rig.state.PhaseStartTime = 995.0f;
  rig.state.Figures.LastFigure = 9;
  rig.state.Figures.Resize(9);
  FakeHost placer;
  InitFigures(rig.state.Figures, 0, placer, rig.random);
  const auto expectedX = rig.state.Figures.LineX1[0];  // and figure 10, added, stays 0
  // Ten yields in the colour refresh, then one per figure drawn: the stop comes before figure 3.
  rig.host.onYield = [&] { rig.host.run.StopRequested = rig.host.yields >= 14; };
  rig.Call();
  int primitives = 0;
  const std::vector<std::string> outline = {"Pen 1193046 1", "Pen 1193046 1", "Pen 1193046 1",
                                            "Pause 0.1"};
  EXPECT_EQ(Outline(rig.log, &primitives), outline);
  EXPECT_EQ(primitives, 3 * 8);
  EXPECT_EQ(rig.state.Figures.LastFigure, 10);
  EXPECT_EQ(rig.state.Figures.LineX1[0], expectedX);  // the move returned at once too

  rig.log.clear();
  rig.Call();
  EXPECT_TRUE(rig.log.empty());
  EXPECT_EQ(rig.state.Figures.LastFigure, 10);
}

TEST(AnimateFigures, EraseKeepsGoingWithoutReturningUntilTheStop) {
  Rig rig(MakeAnimation(512, 384, 6));  // figures at x 306 moving right: no turn for a while
  rig.state.EnginePhase = kPhaseErase;
  rig.state.PhaseStartTime = 995.0f;
  FakeHost placer;
  InitFigures(rig.state.Figures, 0, placer, rig.random);
  int pauses = 0;
  rig.host.onPause = [&] { rig.host.run.StopRequested = ++pauses == 3; };
  rig.Call();
  int primitives = 0;
  const std::vector<std::string> outline = {"Pen 0 1",   "Pause 0.1", "Pen 0 1",
                                            "Pause 0.1", "Pen 0 1",   "Pause 0.1"};
  EXPECT_EQ(Outline(rig.log, &primitives), outline);
  EXPECT_EQ(rig.state.Figures.LineX1[0][0], 306 + 2 * 6);  // the last move saw the stop
}

TEST(AnimateFigures, EveryLiveFigureStaysFourFoldMirrored) {
  const struct {
    int32_t cx, cy;
    int16_t step;
  } areas[] = {{512, 384, 6}, {76, 56, 3}, {40, 300, 3}, {700, 20, 6}};
  for (const auto& a : areas) {
    AnimationState state = MakeAnimation(a.cx, a.cy, a.step);
    FakeHost host;
    host.run.UseRandomColors = true;
    UniformRandom generator;
    UniformRandomSource random(generator);
    CountingSurface surface;
    for (int call = 0; call < 3000; ++call) {
      AnimateFigures(surface, state, host, random);
      ASSERT_TRUE(Mirrored(state.Figures)) << a.cx << "x" << a.cy << " call " << call;
    }
    EXPECT_GT(host.clock, 1000.0 + 2 * 41);  // whole cycles went by
  }
}

std::vector<std::string> RunCalls(bool randomColors, float seedTime, int calls) {
  std::vector<std::string> log;
  AnimationState state = MakeAnimation(512, 384, 6);
  FakeHost host;
  host.run.UseRandomColors = randomColors;
  host.run.FixedColor = kFixed;
  UniformRandom generator;
  if (randomColors) generator.Seed(seedTime);
  UniformRandomSource random(generator);
  RecordingSurface surface(log);
  for (int i = 0; i < calls; ++i) AnimateFigures(surface, state, host, random);
  return log;
}

TEST(AnimateFigures, FixedColourRepeatsAndClockSeededColoursDiffer) {
  const auto first = RunCalls(false, 0, 300);
  EXPECT_EQ(first, RunCalls(false, 0, 300));
  EXPECT_NE(RunCalls(true, 43200.5f, 300), RunCalls(true, 43200.625f, 300));
}

TEST(AnimateFigures, PhaseChangesStrictlyAfterTwentySecondsInThirtyTwoBitFloats) {
  Rig rig(MakeAnimation(512, 384, 6));
  rig.Call();
  ASSERT_EQ(rig.state.PhaseStartTime, 1000.0f);
  for (double now : {1020.0, 1020.00001}) {  // the second is 1020 as a 32-bit float
    rig.host.clock = now;
    rig.Call();
    EXPECT_EQ(rig.state.EnginePhase, kPhaseDraw) << now;
  }
  rig.host.clock = 1020.0002;
  rig.Call();
  EXPECT_EQ(rig.state.EnginePhase, kPhaseErase);
}

TEST(AnimateFigures, PhasesLastTwentySecondsAcrossMidnightAndAfterDays) {
  for (double start : {86399.0 - 10, 10 * 86400.0}) {
    Rig rig(MakeAnimation(512, 384, 6));
    rig.host.clock = start;
    while (rig.state.EnginePhase != kPhaseErase && rig.host.clock < start + 100) rig.Call();
    const double drawPhase = rig.state.PhaseStartTime - static_cast<float>(start);
    EXPECT_GT(drawPhase, 20.0) << start;
    EXPECT_LT(drawPhase, 20.25) << start;
  }
}

}  // namespace
}  // namespace vorlux
