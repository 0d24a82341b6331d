// The figures: their random draws, placement, mirroring, drawing, turning, motion and colours.
#include "engine/figures.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <set>

#include "base/color.h"
#include "base/errors.h"
#include "engine_fakes.h"

namespace vorlux::test {
namespace {

TEST(Figures, PlacedWithMarginAndClampMirroredAndDrawnSegmentsThenArcs) {
  FigureSet f = MakeAnimation(200, 100, 6).Figures;
  // Pairs (u, v): first segment end, second end, first arc corner, second arc corner.
  ScriptedRandom random({0.5f, 0.5f, 0.9f, 0.375f, 0.25f, 0.125f, 0.5f, 0.99f});
  FakeHost host;
  InitFigures(f, 0, host, random);
  EXPECT_EQ(random.count, 8u);
  std::vector<std::string> log;
  RecordingSurface surface(&log);
  DrawFigure(surface, f, 0);
  // 0.5*200+50 = 150; 0.9*200+50 lies past the axis: 200; 0.375*100+50 = 87.5 -> 88 and
  // 0.125*100 = 12.5 -> 12 (halves to even; no margin for the first arc corner); 0.99*100+50
  // past the axis: 100. Copy 1 trades arc left and right.
  // Arcs: the box as stored; start and end (L,T)-(R,B), (L,B)-(R,T), (R,T)-(L,B), (R,B)-(L,T).
  // clang-format off
  EXPECT_EQ(log, (std::vector<std::string>{
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

}  // namespace
}  // namespace vorlux::test
