// A simulated day of the animation on a fake clock, at full-screen and at preview size.
#include <gtest/gtest.h>

#include <algorithm>

#include "engine/engine.h"
#include "engine_fakes.h"

namespace vorlux {
namespace {

using test::FakeHost;
using test::MakeAnimation;
using test::Mirrored;
using test::RecordingSurface;

// Where copy 0 can be. The reversal test keeps a segment's left end at or left of the vertical
// axis and its right end right of x = 0, and a segment never grows, so x stays within the
// area's left half widened by that half on both sides. The y values are never tested, but every
// point moves as much in y as in x, so y - x keeps the value it was placed with.
::testing::AssertionResult CopyZeroInBounds(const FigureSet& f) {
  const int32_t cx = f.CenterX, cy = f.CenterY;
  const auto check = [&](const CoordinateTable& xs, const CoordinateTable& ys, int i) {
    const int32_t x = xs[0][i], y = ys[0][i];
    return x >= -cx && x <= 2 * cx && y - x >= -cx && y - x <= cy;
  };
  for (int i = 0; i <= f.LastFigure; ++i) {
    if (!check(f.LineX1, f.LineY1, i) || !check(f.LineX2, f.LineY2, i) ||
        !check(f.ArcLeft, f.ArcTop, i) || !check(f.ArcRight, f.ArcBottom, i)) {
      return ::testing::AssertionFailure() << "figure " << i << " out of bounds";
    }
  }
  return ::testing::AssertionSuccess();
}

void SoakOneDay(int32_t width, int32_t height, int16_t step, bool randomColors) {
  AnimationState state = MakeAnimation(width / 2, height / 2, step);
  FakeHost host;
  host.colors.UseRandomColors = randomColors;
  host.colors.FixedColor = 0xFFFFFF;
  UniformRandom generator;
  UniformRandomSource random(generator);
  RecordingSurface surface;
  const FigureSet& f = state.Figures;

  int64_t frames = 0;
  int badFrames = 0;
  float lastStart = state.PhaseStartTime;
  std::vector<float> starts;  // of every Draw and Erase phase, in order
  host.onPause = [&] {
    ++frames;
    if (f.LastFigure < 0 || f.LastFigure > kMaxLastFigure || f.TableSize() <= f.LastFigure) {
      ++badFrames;
    }
    if (state.PhaseStartTime != lastStart) {
      starts.push_back(state.PhaseStartTime);
      lastStart = state.PhaseStartTime;
    }
  };

  const double end = host.clock + 24 * 3600.0;
  for (int64_t call = 0; host.clock < end; ++call) {
    ASSERT_NO_THROW(AnimateFigures(surface, state, host, random, host.colors));
    ASSERT_EQ(badFrames, 0) << "after " << frames << " frames";
    ASSERT_TRUE(CopyZeroInBounds(f)) << "after " << frames << " frames";
    // The other copies follow copy 0 (checked on every call in the engine tests); a sample
    // keeps a day within the time budget.
    if (call % 16 == 0) {
      ASSERT_TRUE(Mirrored(f)) << "after " << frames << " frames";
    }
  }

  // Phase starts alternate Draw, Erase, Draw...: the Draw phase ends at the first frame after
  // 20 s, the Erase phase likewise and then pauses a second and draws one more erase frame.
  ASSERT_GT(starts.size(), 4000u);
  for (size_t i = 1; i + 1 < starts.size(); i += 2) {
    const float draw = starts[i] - starts[i - 1];
    const float erase = starts[i + 1] - starts[i];
    ASSERT_GT(draw, 20.0f) << i;
    ASSERT_LT(draw, 20.2f) << i;
    ASSERT_GT(erase, 21.0f) << i;
    ASSERT_LT(erase, 21.3f) << i;
  }
  EXPECT_GT(frames, 800000);
  EXPECT_EQ(surface.fills, static_cast<int64_t>(starts.size() / 2));
}

TEST(EngineSoak, OneDayFullScreen) { SoakOneDay(1024, 768, 6, true); }
TEST(EngineSoak, OneDayPreview) { SoakOneDay(152, 112, 3, false); }

}  // namespace
}  // namespace vorlux
