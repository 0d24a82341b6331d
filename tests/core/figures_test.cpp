#include "engine/figures.h"

#include <gtest/gtest.h>

#include <climits>
#include <stdexcept>

#include "base/color.h"
#include "engine_fakes.h"

namespace vorlux {
namespace {

using test::FakeHost;
using test::RecordingSurface;
using test::ScriptedRandom;

FigureSet MakeFigures(int32_t centerX, int32_t centerY, int16_t last = 0) {
  FigureSet f;
  f.CenterX = centerX;
  f.CenterY = centerY;
  f.LastFigure = last;
  f.Resize(last);
  return f;
}

// Figure i from copy 0 and its mirror images; its y values are y, y+10, y+20 and y+30.
void PutFigure(FigureSet& f, int i, int32_t x1, int32_t x2, int32_t left, int32_t right,
               int32_t y = 10) {
  for (int k = 0; k < kCopies; ++k) {
    const bool flip = k == 1 || k == 2;
    const auto x = [&](int32_t v) { return flip ? 2 * f.CenterX - v : v; };
    f.LineX1[k][i] = x(x1);
    f.LineX2[k][i] = x(x2);
    f.ArcLeft[k][i] = x(flip ? right : left);
    f.ArcRight[k][i] = x(flip ? left : right);
    int32_t v = y;
    for (CoordinateTable* t : {&f.LineY1, &f.LineY2, &f.ArcTop, &f.ArcBottom}) {
      (*t)[k][i] = k < 2 ? v : 2 * f.CenterY - v;
      v += 10;
    }
  }
}

TEST(InitFigures, PlacesCopyZeroWithMarginAndClampThenMirrors) {
  FigureSet f = MakeFigures(200, 100);
  // Pairs (u, v): first segment end, second end, first arc corner, second arc corner.
  ScriptedRandom random({0.5f, 0.5f, 0.9f, 0.2f, 0.25f, 0.125f, 0.5f, 0.99f});
  FakeHost host;
  InitFigures(f, 0, host, random);
  EXPECT_EQ(random.count, 8u);
  // 0.5*200+50 = 150; 0.9*200+50 lies past the axis: 200; 0.125*100 = 12.5 -> 12 (half to
  // even, no margin); 0.99*100+50 past the axis: 100. Copy 1 trades arc left and right.
  const struct {
    const CoordinateTable& table;
    std::array<int32_t, 4> copies;
  } expected[] = {
      {f.LineX1, {150, 250, 250, 150}},   {f.LineY1, {100, 100, 100, 100}},
      {f.LineX2, {200, 200, 200, 200}},   {f.LineY2, {70, 70, 130, 130}},
      {f.ArcLeft, {50, 250, 250, 50}},    {f.ArcTop, {12, 12, 188, 188}},
      {f.ArcRight, {150, 350, 350, 150}}, {f.ArcBottom, {100, 100, 100, 100}},
  };
  for (const auto& e : expected) {
    for (int k = 0; k < kCopies; ++k) EXPECT_EQ(e.table[k][0], e.copies[k]) << "copy " << k;
  }
}

TEST(MoveFigures, TurnsOnlyWhenCopyZeroWouldLeaveItsHalf) {
  const struct {
    int32_t x1, x2;
    int16_t step, after;
  } cases[] = {
      {94, 200, 6, 6},  {95, 200, 6, -6},    // left end onto the axis stays; past it turns
      {200, 95, 6, -6},                      // whichever end is the left one
      {-50, 7, -6, -6}, {-50, 6, -6, 6},     // the right end must stay right of x = 0
      {97, 97, 6, -6},  {101, 101, -6, -6},  // equal ends: one value is lo and hi
  };
  for (const auto& c : cases) {
    FigureSet f = MakeFigures(100, 50);
    PutFigure(f, 0, c.x1, c.x2, 10, 20, /*far outside, but y is never tested*/ -100000);
    f.LineStep = c.step;
    FakeHost host;
    MoveFigures(f, host);
    EXPECT_EQ(f.LineStep, c.after) << c.x1 << ".." << c.x2;
    EXPECT_EQ(f.ArcStep, 6);  // the arc has its own step and test
    EXPECT_EQ(f.LineX1[0][0], c.x1 + c.after);
    EXPECT_EQ(f.LineY1[0][0], -100000 + c.after);
  }
}

TEST(MoveFigures, LaterFiguresTestTheStepEarlierOnesLeft) {
  FigureSet f = MakeFigures(100, 50, 2);
  PutFigure(f, 0, 98, 99, 10, 20);  // about to pass the axis: turns to -6, moves back
  PutFigure(f, 1, -20, 4, 10, 20);  // under -6 its right end would reach 0: turns to +6
  PutFigure(f, 2, 30, 40, 10, 20);  // moves with +6
  FakeHost host;
  MoveFigures(f, host);
  EXPECT_EQ(f.LineStep, 6);
  EXPECT_EQ(f.LineX1[0][0], 92);
  EXPECT_EQ(f.LineX1[0][1], -14);
  EXPECT_EQ(f.LineX1[0][2], 36);
}

TEST(MoveFigures, StopLeavesLaterFiguresAndOverflowRaises) {
  FigureSet f = MakeFigures(100, 50, 1);
  PutFigure(f, 0, 30, 40, 10, 20);
  PutFigure(f, 1, 30, 40, 10, 20);
  FakeHost host;
  host.onYield = [&] { host.stop = host.yields >= 2; };
  MoveFigures(f, host);
  EXPECT_EQ(f.LineX1[0][0], 36);
  EXPECT_EQ(f.LineX1[0][1], 30);

  FakeHost quiet;
  f.LastFigure = 0;
  f.LineY1[0][0] = INT32_MAX - 3;
  EXPECT_THROW(MoveFigures(f, quiet), std::overflow_error);
  FigureSet huge = MakeFigures(INT32_MAX / 2 + 1, 50);  // 2 * CenterX does not fit
  ScriptedRandom random({0.5f});
  EXPECT_THROW(InitFigures(huge, 0, quiet, random), std::overflow_error);
}

TEST(DrawFigure, FourSegmentsThenFourArcsWithMirroredRadialPoints) {
  FigureSet f = MakeFigures(100, 50);
  PutFigure(f, 0, 10, 20, 30, 40, 5);
  std::vector<std::string> log;
  RecordingSurface surface(&log);
  DrawFigure(surface, f, 0);
  const std::vector<std::string> expected = {
      "Line 10 5 20 15", "Line 190 5 180 15", "Line 190 95 180 85", "Line 10 95 20 85",
      // The box as stored; start and end (L,T)-(R,B), (L,B)-(R,T), (R,T)-(L,B), (R,B)-(L,T).
      "Arc 30 25 40 35 30 25 40 35", "Arc 160 25 170 35 160 35 170 25",
      "Arc 160 75 170 65 170 75 160 65", "Arc 30 75 40 65 40 65 30 75"};
  EXPECT_EQ(log, expected);
  EXPECT_THROW(DrawFigure(surface, f, 1), std::out_of_range);  // not in the tables
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
}  // namespace vorlux
