// The figures and the animation engine: random draws, placement, mirroring, drawing, turning,
// motion and colours, and the phase machine on a fake clock, from single calls to hours of frames.
#include "engine/engine.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "base/color.h"
#include "base/errors.h"

namespace vorlux::test {
namespace {

using Log = std::vector<std::string>;

// Repeats the given draws in order.
struct ScriptedRandom : RandomSource {
  ScriptedRandom(std::initializer_list<float> d) : draws(d) {}
  float Next() override { return draws[count++ % draws.size()]; }
  std::vector<float> draws;
  size_t count = 0;
};

// Time moves only inside Pause: drawing takes no time on the fake clock.
struct FakeHost : EngineHost {
  explicit FakeHost(Log* l = nullptr) : log(l) {}
  void ProcessMessages() override {
    ++yields;
    if (onYield) onYield();
  }
  void Pause(float seconds) override {
    if (log) log->push_back((std::ostringstream() << "Pause " << seconds).str());
    clock += seconds, ProcessMessages();
  }
  double Now() override { return clock; }
  void EndCycle(Surface&) override {
    ++cycles;
    if (log) log->push_back("EndCycle");
  }
  bool StopRequested() const override { return stop; }

  Log* log;
  bool stop = false;
  double clock = 1000.0;
  int yields = 0, cycles = 0;
  std::function<void()> onYield;
};

FakeHost placer;  // places and moves figures outside the engine; never stops

// Logs pens and fills as text, and segments and arcs too when shapes is set; counts the shapes.
struct RecordingSurface : Surface {
  using I = int32_t;
  explicit RecordingSurface(Log* l = nullptr, bool s = true) : log(l), shapes(s) {}
  void SetPen(uint32_t color, I width) override { Add("Pen", {color, width}); }
  void DrawLine(I a, I b, I c, I d) override { Add("Line", {a, b, c, d}, ++primitives && shapes); }
  void DrawArc(I l, I t, I r, I b, I sx, I sy, I ex, I ey) override {
    Add("Arc", {l, t, r, b, sx, sy, ex, ey}, ++primitives && shapes);
  }
  void FillRect(const Rect& r) override { Add("Fill", {r.left, r.top, r.right, r.bottom}); }
  void Add(const char* name, std::initializer_list<int64_t> values, bool logged = true) {
    if (!log || !logged) return;
    std::string entry = name;
    for (int64_t v : values) entry += " " + std::to_string(v);
    log->push_back(entry);
  }

  Log* log;
  bool shapes;
  int64_t primitives = 0;
};

AnimationState MakeAnimation(int32_t centerX, int32_t centerY, int16_t step) {
  AnimationState state{.DrawRect = {0, 0, 2 * centerX, 2 * centerY}};
  FigureSet& f = state.Figures;
  f.CenterX = centerX, f.CenterY = centerY, f.LineStep = f.ArcStep = step;
  return state;
}

// Whether every figure in use is the four-fold mirror image of its copy 0 (copy 1 across the
// vertical axis, arc left and right trading places, copy 2 across both, copy 3 the horizontal),
// and copy 0's x lies within the left half widened by a half on either side.
bool MirroredNearTheirQuarter(const FigureSet& f) {
  const CoordinateTable* xs[] = {&f.LineX1, &f.LineX2, &f.ArcLeft, &f.ArcRight};
  for (int i = 0; i <= f.LastFigure; ++i) {
    for (int k = 0; k < 4; ++k) {
      const CoordinateTable& t = *xs[k];
      const int32_t x = 2 * f.CenterX - (*xs[k < 2 ? k : 5 - k])[0][i];  // arcs: the partner
      if (t[1][i] != x || t[2][i] != x || t[3][i] != t[0][i]) return false;
      if (std::abs(t[0][i] - f.CenterX / 2) > 1.5 * f.CenterX) return false;
    }
    for (const CoordinateTable* t : {&f.LineY1, &f.LineY2, &f.ArcTop, &f.ArcBottom}) {
      const int32_t y = 2 * f.CenterY - (*t)[0][i];
      if ((*t)[1][i] != (*t)[0][i] || (*t)[2][i] != y || (*t)[3][i] != y) return false;
    }
  }
  return true;
}

TEST(Figures, PlacedWithMarginAndClampMirroredAndDrawnSegmentsThenArcs) {
  FigureSet f = MakeAnimation(200, 100, 6).Figures;
  // Pairs (u, v): first segment end, second end, first arc corner, second arc corner.
  ScriptedRandom random{0.5f, 0.5f, 0.9f, 0.375f, 0.25f, 0.125f, 0.5f, 0.99f};
  InitFigures(f, 0, placer, random);
  Log log;
  RecordingSurface surface(&log);
  DrawFigure(surface, f, 0);
  // 0.5*200+50 = 150; 0.9*200+50 lies past the axis: 200; 0.375*100+50 = 87.5 -> 88 and
  // 0.125*100 = 12.5 -> 12 (halves to even; no margin for the first arc corner); 0.99*100+50
  // past the axis: 100. Copy 1 trades arc left and right.
  // Arcs: the box as stored; start and end (L,T)-(R,B), (L,B)-(R,T), (R,T)-(L,B), (R,B)-(L,T).
  // clang-format off
  EXPECT_EQ(log, (Log{
      "Line 150 100 200 88", "Line 250 100 200 88", "Line 250 100 200 112", "Line 150 100 200 112",
      "Arc 50 12 150 100 50 12 150 100", "Arc 250 12 350 100 250 100 350 12",
      "Arc 250 188 350 100 350 188 250 100", "Arc 50 188 150 100 150 100 50 188"}));
  // clang-format on
  EXPECT_THROW(DrawFigure(surface, f, 1), RangeError);  // not in the tables
}

TEST(MoveFigures, TurnsOnlyWhenCopyZeroWouldLeaveItsHalf) {
  // clang-format off
  const struct { int32_t x1, x2; int16_t step, after; } cases[] = {
      {94, 200, 6, 6},  {95, 200, 6, -6},    // left end onto the axis stays; past it turns
      {-50, 7, -6, -6}, {-50, 6, -6, 6},     // the right end must stay right of x = 0
      {99, 50, 6, 6},   {7, -50, -6, -6},    // whichever end is the left one
      {97, 97, 6, -6},  {101, 101, -6, -6},  // equal ends: one value is lo and hi
  };
  // clang-format on
  for (const auto& c : cases) {
    FigureSet f = MakeAnimation(100, 50, 6).Figures;  // arcs at 0: their own step stays
    f.LineStep = c.step, f.LineX1[0][0] = c.x1, f.LineX2[0][0] = c.x2;
    f.LineY1[0][0] = f.ArcTop[0][0] = -100000;  // far outside, but y is never tested
    MoveFigures(f, placer);
    EXPECT_TRUE(f.LineStep == c.after && f.LineX1[0][0] == c.x1 + c.after && f.ArcStep == 6 &&
                f.LineY1[0][0] == -100000 + c.after && f.ArcTop[0][0] == -100000 + 6)
        << c.x1 << ".." << c.x2;
  }
}

TEST(MoveFigures, LaterFiguresTestTheStepEarlierOnesLeftAStopLeavesThemAndOverflowIsAnError) {
  FigureSet f = MakeAnimation(100, 50, 6).Figures;
  f.Resize(f.LastFigure = 2);
  // Figure 0 is about to pass the axis: turns to -6 and moves back. Under -6 the right end of
  // figure 1 would reach 0: turns back to +6. Figure 2 moves with +6.
  const int32_t x1[] = {98, -20, 30}, x2[] = {99, 4, 40};
  for (int i = 0; i < 3; ++i) f.LineX1[0][i] = x1[i], f.LineX2[0][i] = x2[i];
  FakeHost host;
  MoveFigures(f, host);  // the last figure's +6 is the step the next call starts from
  EXPECT_EQ(std::vector(f.LineX1[0].begin(), f.LineX1[0].begin() + 3), (std::vector{92, -14, 36}));
  host.onYield = [&] { host.stop = host.yields >= 5; };  // one yield per figure
  MoveFigures(f, host);
  EXPECT_EQ(std::vector(f.LineX1[0].begin(), f.LineX1[0].begin() + 3), (std::vector{98, -14, 36}));

  // Coordinates that leave 32 bits raise an error, whichever way the step points.
  for (auto& copy : f.LineY1) copy[0] = INT32_MAX - 3;
  EXPECT_THROW(MoveFigures(f, placer), OverflowError);
  f.CenterX = INT32_MAX / 2 + 1;  // 2 * CenterX does not fit
  ScriptedRandom random{0.5f};
  EXPECT_THROW(InitFigures(f, 0, placer, random), OverflowError);
}

TEST(UniformRandom, DrawsIn0To1And24BitsAndNeighbouringTimesSeedOtherSequences) {
  UniformRandom r;
  for (int i = 0; i < 100000; ++i) {
    const float x = r.Next();
    ASSERT_TRUE(x >= 0.0f && x < 1.0f && x * 16777216.0f == std::floor(x * 16777216.0f)) << x;
  }
  std::set<uint64_t> states{UniformRandom::kDefaultState};
  for (float t : {1.0f, std::nextafter(1.0f, 2.0f), 2.0f, 0.01f, 86399.99f})
    r.Seed(t), states.insert(r.State());
  EXPECT_EQ(states.size(), 6u);
}

uint32_t ColorFrom(ScriptedRandom random) { return RandomColor(random); }

TEST(RandomColor, WeightsBlackRuleAndClamp) {
  // Per component: u (weight 100), then v (weight 255).
  EXPECT_EQ(ColorFrom({0, 0, 0, 0, 0, 200 / 255.0f}), 0u);
  EXPECT_EQ(ColorFrom({0, 0, 0.4f, 0, 0, 200 / 255.0f}), MakeColor(0, 40, 200));
  EXPECT_EQ(ColorFrom({0.5f, 250 / 255.0f, 0.1f, 0, 0.999f, 0.999f}), MakeColor(255, 10, 255));
  EXPECT_EQ(ColorFrom({0.5f, 0, 0, 0.5f, 0.5f, 0.5f}), MakeColor(50, 128, 178));  // halves even
  // Rounded once on the whole sum: 37.5 + 127.5 = 165, not 38 + 128.
  EXPECT_EQ(ColorFrom({0.375f, 0.5f, 0.125f, 0, 0, 0}), MakeColor(165, 12, 0));
}

// The engine on a fake clock at 1000 s; pens, pauses, fills and cycle ends go to the log,
// segments and arcs are only counted.
struct Rig {
  explicit Rig(int16_t step = 6, std::initializer_list<float> draws = {0.5f})
      : state(MakeAnimation(512, 384, step)), host(&log), surface(&log, false), random(draws) {}
  void Call() { AnimateFigures(surface, state, host, random, colors); }
  std::string Summary() const {
    return (std::ostringstream() << "phase " << state.EnginePhase << " from "
                                 << state.PhaseStartTime << ", " << state.Figures.LastFigure + 1
                                 << " of " << state.Figures.TableSize() << " figures, x "
                                 << state.Figures.LineX1[0][0] << ", " << surface.primitives
                                 << " shapes")
        .str();
  }
  void SetPhase(int16_t phase, float start, int16_t last) {
    state.EnginePhase = phase, state.PhaseStartTime = start;
    state.Figures.Resize(state.Figures.LastFigure = last);
  }

  AnimationState state;
  ColorChoice colors{.FixedColor = 0x123456};
  Log log;
  FakeHost host;
  RecordingSurface surface;
  ScriptedRandom random;
};

// A pen of the fixed colour 0x123456, a black one, and the pause after a frame.
constexpr const char *kPen = "Pen 1193046 1", *kBlackPen = "Pen 0 1", *kFrameDelay = "Pause 0.1";

TEST(AnimateFigures, FirstCallDrawsOneColourFrameAndThePhaseEndsAfter20SecondsIn32BitFloats) {
  Rig rig;
  rig.Call();
  EXPECT_EQ(rig.log, (Log{kPen, kFrameDelay}));
  // Placed at 0.5 * 512 + 50 = 306, then moved; both steps still positive.
  EXPECT_EQ(rig.Summary(), "phase 1 from 1000, 1 of 1 figures, x 312, 8 shapes");
  // 1020.00001 is 1020 as a 32-bit float.
  for (auto [now, phase] :
       {std::pair{1020.0, kPhaseDraw}, {1020.00001, kPhaseDraw}, {1020.0002, kPhaseErase}}) {
    rig.host.clock = now, rig.Call();
    EXPECT_EQ(rig.state.EnginePhase, phase) << now;
  }
}

TEST(AnimateFigures, DrawToEraseBringsTwentyFiveFiguresInBlack) {
  Rig rig(6, {0.99f});  // every figure on the axis: the first move turns the steps
  rig.colors.UseRandomColors = true;
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
    Rig rig;  // far from every edge: no step turns
    rig.state = MakeAnimation(10000, 10000, lineStep), rig.state.Figures.ArcStep = arcStep;
    const FigureSet& f = rig.state.Figures;
    for (int call = 1; call <= 27; ++call) {
      rig.Call();
      // Figure 0 keeps moving through every resize until the wrap places it anew; the newest
      // was just placed.
      ASSERT_EQ(std::tuple(f.LastFigure, f.TableSize(), f.LineX1[0][0], f.LineX1[0][f.LastFigure]),
                std::tuple(call % 25, call % 25 + 1, 5050 + lineStep * (call % 25), 5050))
          << "steps " << lineStep << ", " << arcStep << ", call " << call;
    }
  }
}

TEST(AnimateFigures, EndOfCycleFillsPausesEndsTheCycleOnTheHostAndStartsAgain) {
  Rig rig;
  rig.SetPhase(kPhaseErase, 979.5f, 5);
  rig.Call();
  // Figure 0 erased where it stood, then, no step being negative, the next cycle's first
  // colour frame in the same call.
  EXPECT_EQ(rig.log, (Log{"Fill 0 0 1024 768", "Pause 1", "EndCycle", kBlackPen, kFrameDelay, kPen,
                          kFrameDelay}));
  // The tables are not resized at the end of a cycle.
  EXPECT_EQ(rig.Summary(), "phase 1 from 1001.1, 1 of 6 figures, x 312, 16 shapes");

  // One frame per call: the same frames in two calls, the colours not drawn again between.
  Rig turns;
  turns.state.OneFramePerCall = true;
  turns.SetPhase(kPhaseErase, 979.5f, 5);
  turns.Call();
  EXPECT_EQ(turns.log.size(), 5u);
  turns.Call();
  EXPECT_EQ(std::tuple(turns.log, turns.Summary(), turns.host.yields),
            std::tuple(rig.log, rig.Summary(), rig.host.yields));
}

TEST(AnimateFigures, StopMidPassStillPausesThenReturnsAtOnce) {
  Rig rig(-6);
  rig.SetPhase(kPhaseDraw, 995.0f, 9);
  InitFigures(rig.state.Figures, 0, placer, rig.random);
  const auto before = rig.state.Figures.LineX1[0];
  // Ten yields in the colour refresh, then one per figure drawn: the stop comes before figure 3.
  rig.host.onYield = [&] { rig.host.stop = rig.host.yields >= 14; };
  rig.Call();
  EXPECT_EQ(rig.log, (Log{kPen, kPen, kPen, kFrameDelay}));
  EXPECT_EQ(rig.Summary(), "phase 1 from 995, 11 of 11 figures, x 306, 24 shapes");  // not placed
  EXPECT_EQ(rig.state.Figures.LineX1[0], before);  // the move returned at once too
  rig.Call();
  EXPECT_EQ(rig.log.size(), 4u) << "nothing more once stopped";

  // The erase pass goes on frame after frame without returning, until the stop.
  Rig run;
  run.SetPhase(kPhaseErase, 995.0f, 0);
  // Placed at x 306, moving right: no turn; the stop comes at the third pause.
  InitFigures(run.state.Figures, 0, placer, run.random);
  run.host.onYield = [&] { run.host.stop = run.log.size() == 6; };
  run.Call();
  EXPECT_EQ(run.log, (Log{kBlackPen, kFrameDelay, kBlackPen, kFrameDelay, kBlackPen, kFrameDelay}));
  EXPECT_EQ(run.state.Figures.LineX1[0][0], 306 + 2 * 6);
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
    const ColorChoice colors{a.randomColors};
    UniformRandom generator;
    UniformRandomSource random(generator);
    RecordingSurface surface;
    for (const double end = host.clock + 2 * 3600.0; host.clock < end;) {
      AnimateFigures(surface, state, host, random, colors);
      // The turning rule keeps a segment's left end left of the vertical axis and its right end
      // right of 0, and segments never grow: x stays near the left half.
      ASSERT_TRUE(MirroredNearTheirQuarter(f)) << a.cx << "x" << a.cy << " at " << host.clock;
    }
    // A cycle: 20 s of colour frames and 20 s of erase frames, each phase ending at the first
    // frame after, then the second's pause and one more erase frame: 41 to 41.5 s, so 174 to
    // 176 cycles in the two hours.
    EXPECT_NEAR(host.cycles, 175, 1.5) << a.cx << "x" << a.cy;
  }
}

}  // namespace
}  // namespace vorlux::test
