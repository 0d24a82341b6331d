// The show at the screen size of the test display (run at two sizes).
#include <gtest/gtest.h>

#include <tuple>

#include "vorlux_test.h"

namespace vorlux::test {
namespace {

using ShowOnScreen = SaverTest;

// Fraction of lit (non-black) pixels of the top-left quadrant whose three mirror images about
// (cx, cy) are lit too, allowing two pixels either way: GDI's end-point rule moves line ends by
// one, and arcs are not rasterised as exact mirror images of each other.
double MirrorAgreement(const Screenshot& shot, int cx, int cy) {
  const auto lit = [&](int x, int y) {
    for (int py = std::max(0, y - 2); py <= std::min(shot.Height() - 1, y + 2); ++py)
      for (int px = std::max(0, x - 2); px <= std::min(shot.Width() - 1, x + 2); ++px)
        if (shot.At(px, py) != 0) return true;
    return false;
  };
  size_t litCount = 0, agreeing = 0;
  for (int y = 0; y < cy; ++y)
    for (int x = 0; x < cx; ++x) {
      if (shot.At(x, y) == 0 || 2 * cx - x >= shot.Width() || 2 * cy - y >= shot.Height()) continue;
      ++litCount;
      agreeing += lit(2 * cx - x, y) && lit(x, 2 * cy - y) && lit(2 * cx - x, 2 * cy - y);
    }
  return litCount == 0 ? 0.0 : static_cast<double>(agreeing) / litCount;
}

TEST_F(ShowOnScreen, CoversTheScreenTopMostWithoutCaptionHidesTheCursorAndDrawsMirrored) {
  const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  ASSERT_TRUE(StartShow());  // which waits for the cursor to be hidden
  HWND show = ShowHwnd();
  RECT r;
  GetWindowRect(show, &r);
  EXPECT_EQ(std::tuple(r.left, r.top, r.right, r.bottom), std::tuple(0, 0, w, h));
  EXPECT_TRUE(GetWindowLongW(show, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_FALSE(GetWindowLongW(show, GWL_STYLE) & WS_CAPTION);
  EXPECT_EQ(WindowFromPoint(POINT{w - 1, h - 1}), show);

  // Lines appear at once on black; let the picture grow, then check its symmetry.
  EXPECT_TRUE(WaitUntil([] { return Screenshot::Capture().CountNot(0) > 50; }, 1500ms))
      << "no lines within the first second or so";
  Sleep(1500);
  const Screenshot shot = Screenshot::Capture();
  EXPECT_GT(shot.CountNot(0), 500u);
  EXPECT_GE(MirrorAgreement(shot, w / 2, h / 2), 0.97) << "not four-fold mirror-symmetric";
  PressKey('Q');
  EXPECT_TRUE(EndsCleanly());
}

TEST_F(ShowOnScreen, DrawsOverTheDesktopAsItWasWhenBlackScreenIsOffAndAFullCycleEndsBlack) {
  // The teal window belongs to this thread: it repaints only while the test processes messages.
  ColouredWindow teal(RGB(0, 128, 128), RECT{40, 40, 240, 160});
  ASSERT_TRUE(WaitUntil([] { return Screenshot::Capture().At(140, 100) == 0x008080u; }, 2s));
  ASSERT_TRUE(
      StartShow({{L"BlackScreen", L"0"}, {L"ColorRandom", L"0"}, {L"ColorFixed", L"255,255,0"}}));
  const auto start = GetTickCount64();
  const auto overTheDesktop = [&] {
    const Screenshot shot = Screenshot::Capture();
    return WindowFromPoint(POINT{140, 100}) == ShowHwnd() && ShowHwnd() &&
           shot.CountOf(0x008080) > 200 * 120 / 2 && shot.CountOf(0xFFFF00) > 50;
  };
  EXPECT_TRUE(WaitUntil(overTheDesktop, 2s)) << "yellow lines over the desktop as it was";

  // Some 40 seconds of drawing and wiping, then the area is painted black for one second.
  ASSERT_TRUE(WaitUntil(
      [] {
        const Screenshot shot = Screenshot::Capture();
        return shot.CountNot(0) < static_cast<size_t>(shot.Width()) * shot.Height() / 1000;
      },
      47s))
      << "the area never went black at the end of the cycle";
  EXPECT_GT(GetTickCount64() - start, 38'000u) << "the cycle ended early";
  // Then the show goes on over a fresh copy of the desktop.
  EXPECT_TRUE(WaitUntil(overTheDesktop, 4s));
  PressKey(VK_SHIFT);
  EXPECT_TRUE(EndsCleanly());
}

}  // namespace
}  // namespace vorlux::test
