// The show at the screen size of the test display (run at two sizes).
#include "vorlux_test.h"

namespace vorlux::test {
namespace {

using ShowOnScreen = SaverTest;

TEST_F(ShowOnScreen, CoversTheScreenTopMostAndDrawsMirroredOverTheDesktopUntilACycleEndsBlack) {
  const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  // The teal window belongs to this thread: it repaints only while the test processes messages.
  ColouredWindow teal(RGB(0, 128, 128), RECT{40, 40, 240, 160});
  ASSERT_TRUE(WaitUntil([] { return Screenshot::Capture().At(140, 100) == 0x008080u; }, 2s));
  ASSERT_TRUE(  // which waits for the cursor to be hidden
      StartShow({{L"BlackScreen", L"0"}, {L"ColorRandom", L"0"}, {L"ColorFixed", L"255,255,0"}}));
  const auto start = GetTickCount64();
  RECT r;
  GetWindowRect(ShowHwnd(), &r);
  EXPECT_TRUE(r.left == 0 && r.top == 0 && r.right == w && r.bottom == h)
      << r.left << "," << r.top << " to " << r.right << "," << r.bottom;
  EXPECT_TRUE(GetWindowLongW(ShowHwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST &&
              !(GetWindowLongW(ShowHwnd(), GWL_STYLE) & WS_CAPTION));

  // Yellow lines over the desktop as it was, four-fold mirrored once the picture has grown.
  const auto overTheDesktop = [&] {
    const Screenshot shot = Screenshot::Capture();
    return WindowFromPoint(POINT{140, 100}) == ShowHwnd() && ShowHwnd() &&
           shot.CountOf(0x008080) > 200 * 120 / 2 && shot.CountOf(0xFFFF00) > 50;
  };
  EXPECT_TRUE(WaitUntil(overTheDesktop, 2s)) << "no yellow lines over the desktop";
  Sleep(1500);
  const Screenshot shot = Screenshot::Capture();
  EXPECT_GT(shot.CountOf(0xFFFF00), 500u);
  EXPECT_GE(MirrorAgreement(shot, 0xFFFF00), 0.97) << "not four-fold mirror-symmetric";

  // Some 40 seconds of drawing and wiping, then the area is painted black for one second.
  const auto black = [] {
    const Screenshot shot = Screenshot::Capture();
    return shot.CountNot(0) < static_cast<size_t>(shot.Width()) * shot.Height() / 1000;
  };
  ASSERT_TRUE(WaitUntil(black, 47s)) << "the area never went black at the end of the cycle";
  EXPECT_GT(GetTickCount64() - start, 38'000u) << "the cycle ended early";
  // Then the show goes on over a fresh copy of the desktop.
  EXPECT_TRUE(WaitUntil(overTheDesktop, 8s));  // generous: the machine may be busy
  PressKey(VK_SHIFT);
  EXPECT_TRUE(EndsCleanly());
}

}  // namespace
}  // namespace vorlux::test
