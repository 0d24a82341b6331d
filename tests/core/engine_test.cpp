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
  explicit ScriptedRandom(std::vector<float> d) : draws(std::move(d)) {}
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
    clock += seconds;
    ProcessMessages();
    if (onPause) onPause();
  }
  double Now() override { return clock; }
  void EndCycle(Surface&) override {
    if (log) log->push_back("EndCycle");
  }
  bool StopRequested() const override { return stop; }

  Log* log;
  ColorChoice colors;
  bool stop = false;
  double clock = 1000.0;
  int yields = 0;
  std::function<void()> onYield, onPause;
};

// Logs pens and fills as text, and segments and arcs too when shapes is set; counts them all.
struct RecordingSurface : Surface {
  explicit RecordingSurface(Log* l = nullptr, bool s = true) : log(l), shapes(s) {}
  void SetPen(uint32_t color, int32_t width) override { Add("Pen", {color, width}); }
  void DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2) override {
    Add("Line", {x1, y1, x2, y2}, ++primitives && shapes);
  }
  void DrawArc(int32_t l, int32_t t, int32_t r, int32_t b, int32_t sx, int32_t sy, int32_t ex,
               int32_t ey) override {
    Add("Arc", {l, t, r, b, sx, sy, ex, ey}, ++primitives && shapes);
  }
  void FillRect(const Rect& rc) override {
    Add("Fill", {rc.left, rc.top, rc.right, rc.bottom}, ++fills);
  }
  void Add(const char* name, std::initializer_list<int64_t> values, bool logged = true) {
    if (!log || !logged) return;
    std::string entry = name;
    for (int64_t v : values) entry += " " + std::to_string(v);
    log->push_back(entry);
  }

  Log* log;
  bool shapes;
  int64_t primitives = 0, fills = 0;
};

AnimationState MakeAnimation(int32_t centerX, int32_t centerY, int16_t step) {
  AnimationState state{.DrawRect = {0, 0, 2 * centerX, 2 * centerY}};
  FigureSet& f = state.Figures;
  f.CenterX = centerX, f.CenterY = centerY, f.LineStep = f.ArcStep = step;
  return state;
}

// Whether every figure in use is the four-fold mirror image of its copy 0: copy 1 across the
// vertical axis (arc left and right trading places), copy 2 across both, copy 3 the horizontal.
bool Mirrored(const FigureSet& f) {
  const CoordinateTable* xs[] = {&f.LineX1, &f.LineX2, &f.ArcLeft, &f.ArcRight};
  for (int i = 0; i <= f.LastFigure; ++i) {
    for (int k = 0; k < 4; ++k) {
      const CoordinateTable& t = *xs[k];
      const int32_t x = 2 * f.CenterX - (*xs[k < 2 ? k : 5 - k])[0][i];  // arcs: the partner
      if (t[1][i] != x || t[2][i] != x || t[3][i] != t[0][i]) return false;
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
  ScriptedRandom random({0.5f, 0.5f, 0.9f, 0.375f, 0.25f, 0.125f, 0.5f, 0.99f});
  FakeHost host;
  InitFigures(f, 0, host, random);
  EXPECT_EQ(random.count, 8u);
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
    FigureSet f = MakeAnimation(100, 50, c.step).Figures;
    f.ArcStep = 6;  // arcs at 0: their own step stays
    f.LineX1[0][0] = c.x1;
    f.LineX2[0][0] = c.x2;
    f.LineY1[0][0] = f.ArcTop[0][0] = -100000;  // far outside, but y is never tested
    FakeHost host;
    MoveFigures(f, host);
    EXPECT_TRUE(f.LineStep == c.after && f.LineX1[0][0] == c.x1 + c.after && f.ArcStep == 6 &&
                f.LineY1[0][0] == -100000 + c.after && f.ArcTop[0][0] == -100000 + 6)
        << c.x1 << ".." << c.x2;
  }
}

TEST(MoveFigures, LaterFiguresTestTheStepEarlierOnesLeftAndAStopLeavesThem) {
  FigureSet f = MakeAnimation(100, 50, 6).Figures;
  f.Resize(f.LastFigure = 2);
  // Figure 0 is about to pass the axis: turns to -6 and moves back. Under -6 the right end of
  // figure 1 would reach 0: turns back to +6. Figure 2 moves with +6.
  const int32_t x1[] = {98, -20, 30}, x2[] = {99, 4, 40};
  for (int i = 0; i < 3; ++i) f.LineX1[0][i] = x1[i], f.LineX2[0][i] = x2[i];
  FakeHost host, placer;
  MoveFigures(f, host);
  EXPECT_EQ(f.LineStep, 6);
  EXPECT_EQ(std::vector(f.LineX1[0].begin(), f.LineX1[0].begin() + 3), (std::vector{92, -14, 36}));
  host.onYield = [&] { host.stop = host.yields >= 5; };  // one yield per figure
  MoveFigures(f, host);
  EXPECT_EQ(std::vector(f.LineX1[0].begin(), f.LineX1[0].begin() + 3), (std::vector{98, -14, 36}));

  // Coordinates that leave 32 bits raise an error.
  FigureSet edge = MakeAnimation(100, 50, 6).Figures, huge;
  edge.LineY1[0][0] = INT32_MAX - 3;
  EXPECT_THROW(MoveFigures(edge, placer), OverflowError);
  huge.CenterX = INT32_MAX / 2 + 1;  // 2 * CenterX does not fit
  ScriptedRandom random({0.5f});
  EXPECT_THROW(InitFigures(huge, 0, placer, random), OverflowError);
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

uint32_t ColorFrom(std::vector<float> draws) {
  ScriptedRandom random(std::move(draws));
  return RandomColor(random);
}

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

  // One frame per call: the same frames in two calls, the colours not drawn again between.
  Rig turns;
  turns.state.OneFramePerCall = true;
  turns.SetPhase(kPhaseErase, 979.5f, kMaxLastFigure);
  turns.state.Figures.LastFigure = 5;
  turns.Call();
  EXPECT_EQ(turns.log.size(), 5u);
  turns.Call();
  EXPECT_EQ(turns.log, rig.log);
  EXPECT_EQ(turns.Summary(), rig.Summary());
  EXPECT_EQ(turns.host.yields, rig.host.yields);
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
