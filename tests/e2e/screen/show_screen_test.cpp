// The show at the screen size of the test display (run at two sizes).
#include <gtest/gtest.h>

#include "config/settings_store.h"
#include "show_fixture.h"

namespace vorlux::test {
namespace {

class ShowOnScreen : public ShowTest {};

TEST_F(ShowOnScreen, CoversTheScreenTopMostWithoutCaptionHidesTheCursorAndDrawsMirrored) {
  const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  StartShow();
  HWND show = ShowHwnd();
  ASSERT_TRUE(show);
  RECT r;
  GetWindowRect(show, &r);
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.top, 0);
  EXPECT_EQ(r.right, w);
  EXPECT_EQ(r.bottom, h);
  EXPECT_TRUE(GetWindowLongW(show, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_FALSE(GetWindowLongW(show, GWL_STYLE) & WS_CAPTION);
  EXPECT_EQ(WindowFromPoint(POINT{w - 1, h - 1}), show);
  EXPECT_TRUE(WaitUntil([] { return !CursorVisible(); }, 2s)) << "cursor not hidden";
  EXPECT_TRUE(SaverRunningFlag());

  // Lines appear at once on black.
  Screenshot shot;
  EXPECT_TRUE(WaitUntil([&] { return (shot = Screenshot::Capture()).CountNot(0) > 50; }, 1500ms))
      << "no lines within the first second or so";
  // Let the picture grow, then check the kaleidoscope's symmetry about the centre.
  Sleep(1500);
  shot = Screenshot::Capture();
  EXPECT_GT(shot.CountNot(0), 500u);
  const double agreement = MirrorAgreement(shot, w / 2, h / 2, 0);
  if (agreement < 0.97) shot.Save(BuildDir() + L"asymmetric-show.bmp");
  EXPECT_GE(agreement, 0.97) << "the picture is not four-fold mirror-symmetric";

  PressKey('Q');
  EXPECT_TRUE(EndsCleanly());
}

TEST_F(ShowOnScreen, DrawsOverTheDesktopAsItWasWhenBlackScreenIsOff) {
  // A teal window on the desktop before the show starts.
  ColouredWindow teal(RGB(0, 128, 128), RECT{40, 40, 240, 160});
  ASSERT_TRUE(WaitUntil([] { return Screenshot::Capture().At(140, 100) == 0x008080u; }, 2s));
  ASSERT_EQ(Screenshot::Capture().At(140, 100), 0x008080u);

  StartShow({{L"BlackScreen", L"0"}, {L"ColorRandom", L"0"}, {L"ColorFixed", L"255,255,0"}});
  HWND show = ShowHwnd();
  ASSERT_TRUE(show);
  EXPECT_EQ(WindowFromPoint(POINT{140, 100}), show) << "the show covers the teal window";
  Sleep(1000);
  const Screenshot shot = Screenshot::Capture();
  EXPECT_GT(shot.CountOf(0x008080), 200 * 120 / 2u) << "the desktop copy shows behind the lines";
  EXPECT_GT(shot.CountOf(0xFFFF00), 50u) << "yellow lines over it";
  PressKey(VK_SHIFT);
  EXPECT_TRUE(EndsCleanly());
}

}  // namespace
}  // namespace vorlux::test
