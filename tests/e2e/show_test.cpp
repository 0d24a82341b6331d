// The full-screen show and its input watch, watched from outside.
#include <gtest/gtest.h>

#include "show_fixture.h"

namespace vorlux::test {
namespace {

class Show : public ShowTest {};

TEST_F(Show, EachKeyOrClickThatShouldEndItEndsItAtOnce) {
  struct Case {
    const char* what;
    void (*send)();
  };
  const Case cases[] = {
      {"Shift alone", [] { PressKey(VK_SHIFT); }},
      {"Ctrl alone", [] { PressKey(VK_CONTROL); }},
      {"Alt alone", [] { PressKey(VK_MENU); }},
      {"a letter", [] { PressKey('K'); }},
      {"a left click", [] { ClickMouse(1); }},
      {"a middle click", [] { ClickMouse(4); }},
      {"Shift + right click", [] { ClickMouse(2, {VK_SHIFT}); }},
      {"Ctrl + right click", [] { ClickMouse(2, {VK_CONTROL}); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    StartShow();
    ASSERT_TRUE(WaitUntil([] { return !CursorVisible(); }, 2s));
    c.send();
    EXPECT_TRUE(EndsCleanly());
  }
}

TEST_F(Show, MouseMovesEndItOnlyWhenEnabledAndBeyondTwoPixels) {
  const int cx = GetSystemMetrics(SM_CXSCREEN) / 2, cy = GetSystemMetrics(SM_CYSCREEN) / 2;
  StartShow({{L"MouseMove", L"1"}});
  MoveMouseTo(cx, cy);  // the reference position
  Sleep(150);
  for (auto [dx, dy] : {std::pair{2, 0}, {0, 2}, {-2, -2}, {2, -2}, {1, 1}, {0, 0}}) {
    MoveMouseTo(cx + dx, cy + dy);
    Sleep(80);
  }
  EXPECT_TRUE(KeepsRunning(500ms)) << "moves within 2 pixels ended the show";
  MoveMouseTo(cx + 3, cy);
  EXPECT_TRUE(EndsCleanly());

  StartShow({{L"MouseMove", L"1"}});
  MoveMouseTo(cx, cy);
  Sleep(150);
  MoveMouseTo(cx, cy - 3);
  EXPECT_TRUE(EndsCleanly()) << "3 pixels upwards";

  StartShow({{L"MouseMove", L"0"}});
  for (int step = 0; step < 10; ++step) {
    MoveMouseTo(cx + step * 30, cy + step * 20);
    Sleep(30);
  }
  EXPECT_TRUE(KeepsRunning(500ms)) << "a long move ended the show with mouse sensitivity off";
  PressKey(VK_SPACE);
  EXPECT_TRUE(EndsCleanly());
}

TEST_F(Show, SystemRequestToStartAScreenSaverChangesNothing) {
  StartShow();
  SendMessageW(ShowHwnd(), WM_SYSCOMMAND, SC_SCREENSAVE, 0);
  PostMessageW(ShowHwnd(), WM_SYSCOMMAND, SC_SCREENSAVE, 0);
  EXPECT_TRUE(KeepsRunning(500ms));
  EXPECT_TRUE(SaverRunningFlag());
  EXPECT_EQ(saver_.Windows().size(), 1u) << "no second window";
  PressKey(VK_ESCAPE);
  EXPECT_TRUE(EndsCleanly());
}

TEST_F(Show, APlainRightClickOpensTheAboutBoxForTenSecondsAndTheShowGoesOn) {
  StartShow();
  ClickMouse(2);
  HWND about = nullptr;
  // The box exists, hidden, before it is filled and shown: wait for it on the screen.
  const auto visibleAbout = [&] {
    about = FindTopWindow(L"", L"About");
    return about && IsWindowVisible(about);
  };
  ASSERT_TRUE(WaitUntil(visibleAbout, 3s));
  const auto opened = GetTickCount64();
  EXPECT_TRUE(GetWindowLongW(about, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_TRUE(CursorVisible()) << "the pointer shows while the box is open";
  EXPECT_TRUE(ChildWithText(about, L"Vorlux Screen Saver  \u2013  version 3.2.13"));
  // It closes by itself after about 10 seconds; the show goes on with the cursor hidden.
  ASSERT_TRUE(WaitUntil([] { return FindTopWindow(L"", L"About") == nullptr; }, 14s));
  const auto shownFor = GetTickCount64() - opened;
  EXPECT_GT(shownFor, 8500u);
  EXPECT_LT(shownFor, 12500u);
  EXPECT_TRUE(saver_.Running());
  EXPECT_TRUE(WaitUntil([] { return !CursorVisible(); }, 2s));

  // Again, closed with OK this time (Enter); then a key still ends the show.
  ClickMouse(2);
  ASSERT_TRUE(WaitUntil(visibleAbout, 3s));
  Sleep(300);
  PressKey(VK_RETURN);
  ASSERT_TRUE(WaitUntil([] { return FindTopWindow(L"", L"About") == nullptr; }, 3s));
  EXPECT_TRUE(KeepsRunning(500ms));
  PressKey('X');
  EXPECT_TRUE(EndsCleanly());
}

TEST_F(Show, AFullCycleEndsBlackAndPutsTheDesktopBack) {
  ColouredWindow teal(RGB(0, 128, 128), RECT{40, 40, 240, 160});
  WaitUntil([] { return Screenshot::Capture().At(140, 100) == 0x008080u; }, 2s);
  StartShow({{L"BlackScreen", L"0"}, {L"ColorRandom", L"0"}, {L"ColorFixed", L"255,255,0"}});
  // Some 40 seconds of drawing and wiping, then the area is painted black for one second.
  bool sawBlack = false;
  const auto start = GetTickCount64();
  // The teal window belongs to this thread: it repaints only while the test processes messages.
  WaitUntil(
      [&] {
        const Screenshot shot = Screenshot::Capture();
        sawBlack = shot.CountNot(0) < static_cast<size_t>(shot.Width()) * shot.Height() / 1000;
        return sawBlack;
      },
      47s);
  ASSERT_TRUE(sawBlack) << "the area never went black at the end of the cycle";
  EXPECT_GT(GetTickCount64() - start, 38'000u) << "the cycle ended early";
  // Then the show is back over a fresh copy of the desktop, the teal window in it.
  EXPECT_TRUE(WaitUntil(
      [&] {
        return ShowHwnd() && WindowFromPoint(POINT{140, 100}) == ShowHwnd() &&
               Screenshot::Capture().CountOf(0x008080) > 200 * 120 / 2;
      },
      4s));
  EXPECT_TRUE(saver_.Running());
  PressKey(VK_SHIFT);
  EXPECT_TRUE(EndsCleanly());
}

TEST_F(Show, ASecondShowEndsAtOnceButRunsBesideAnAnnouncedPreview) {
  StartShow();
  Process second = Process::StartSaver(L"/S");
  const auto code = second.WaitExit(5s);
  ASSERT_TRUE(code.has_value()) << "a second show kept running";
  EXPECT_EQ(*code, 0u);
  EXPECT_TRUE(saver_.Running());

  // A preview announces itself through ActiveSetup; a show then goes ahead and leaves it alone.
  WriteSaverSetting(L"ActiveSetup", L"4242");
  Process beside = Process::StartSaver(L"/S");
  EXPECT_FALSE(beside.WaitExit(1500ms).has_value()) << "the show beside a preview did not run";
  EXPECT_EQ(ReadSaverSetting(L"ActiveSetup"), L"4242");
  // Each key ends the show that has the focus.
  for (int i = 0; i < 4 && (beside.Running() || saver_.Running()); ++i) {
    PressKey(VK_SHIFT);
    WaitUntil([&] { return !beside.Running() && !saver_.Running(); }, 1s);
  }
  EXPECT_FALSE(beside.Running());
  EXPECT_FALSE(saver_.Running());
}

}  // namespace
}  // namespace vorlux::test
