// The full-screen show and its input watch, watched from outside.
#include <gtest/gtest.h>

#include <functional>

#include "vorlux_test.h"

namespace vorlux::test {
namespace {

using Show = SaverTest;

// Moves the pointer to (dx, dy) from the middle of the screen, where the show found it.
void MoveBy(int dx, int dy) {
  MoveMouseTo(GetSystemMetrics(SM_CXSCREEN) / 2 + dx, GetSystemMetrics(SM_CYSCREEN) / 2 + dy);
  Sleep(80);
}

void MovesWithinTwoPixels() {
  for (auto [dx, dy] : {std::pair{0, 0}, {2, 0}, {0, 2}, {-2, -2}, {2, -2}, {1, 1}, {0, 0}})
    MoveBy(dx, dy);
}

TEST_F(Show, EndsOnEachKeyOrClickAndOnMouseMovesOnlyWhenEnabledAndBeyondTwoPixels) {
  struct Case {
    const char* what;
    const wchar_t* mouseMove;  // the setting
    std::function<void()> send;
    bool ends;
  };
  // clang-format off
  const Case cases[] = {
      {"Shift alone",                L"0", [] { PressKey(VK_SHIFT); },                               true},
      {"Ctrl alone",                 L"0", [] { PressKey(VK_CONTROL); },                             true},
      {"Alt alone",                  L"0", [] { PressKey(VK_MENU); },                                true},
      {"a letter",                   L"0", [] { PressKey('K'); },                                    true},
      {"a left click",               L"0", [] { ClickMouse(MOUSEEVENTF_LEFTDOWN); },                 true},
      {"a middle click",             L"0", [] { ClickMouse(MOUSEEVENTF_MIDDLEDOWN); },               true},
      {"Shift + right click",        L"0", [] { ClickMouse(MOUSEEVENTF_RIGHTDOWN, {VK_SHIFT}); },    true},
      {"Ctrl + right click",         L"0", [] { ClickMouse(MOUSEEVENTF_RIGHTDOWN, {VK_CONTROL}); },  true},
      {"moves within 2 pixels",      L"1", [] { MovesWithinTwoPixels(); },                           false},
      {"then 3 pixels to the right", L"1", [] { MovesWithinTwoPixels(); MoveBy(3, 0); },             true},
      {"then 3 pixels upwards",      L"1", [] { MovesWithinTwoPixels(); MoveBy(0, -3); },            true},
      {"a long move, setting off",   L"0", [] { for (int i = 1; i <= 10; ++i) MoveBy(i * 30, i * 20); }, false},
      // The system's request to start a screen saver changes nothing.
      {"SC_SCREENSAVE",              L"0", [this] {
         SendMessageW(ShowHwnd(), WM_SYSCOMMAND, SC_SCREENSAVE, 0);
         PostMessageW(ShowHwnd(), WM_SYSCOMMAND, SC_SCREENSAVE, 0); },                               false},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(StartShow({{L"MouseMove", c.mouseMove}}));
    c.send();
    if (!c.ends) {
      EXPECT_TRUE(KeepsRunning(500ms));
      EXPECT_TRUE(SaverRunningFlag());
      EXPECT_EQ(saver_.Windows().size(), 1u) << "no second window";
      PressKey(VK_SPACE);
    }
    EXPECT_TRUE(EndsCleanly());
  }
}

TEST_F(Show, APlainRightClickOpensTheAboutBoxForTenSecondsAndTheShowGoesOn) {
  ASSERT_TRUE(StartShow());
  // The box exists, hidden, before it is filled and shown: wait for it on the screen.
  const auto aboutShown = [] { return IsWindowVisible(FindWindowW(nullptr, L"About")); };
  const auto aboutGone = [] { return !FindWindowW(nullptr, L"About"); };
  ClickMouse(MOUSEEVENTF_RIGHTDOWN);
  ASSERT_TRUE(WaitUntil(aboutShown, 3s));
  const auto opened = GetTickCount64();
  HWND about = FindWindowW(nullptr, L"About");
  EXPECT_TRUE(GetWindowLongW(about, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_TRUE(CursorVisible()) << "the pointer shows while the box is open";
  EXPECT_TRUE(ChildWithText(about, L"Vorlux Screen Saver  \u2013  version 3.2.13"));
  // It closes by itself after about 10 seconds; the show goes on with the cursor hidden.
  ASSERT_TRUE(WaitUntil(aboutGone, 14s));
  EXPECT_NEAR(static_cast<double>(GetTickCount64() - opened), 10'500, 2000);
  EXPECT_TRUE(saver_.Running());
  EXPECT_TRUE(WaitUntil([] { return !CursorVisible(); }, 2s));

  // Again, closed with OK this time (Enter); then a key still ends the show.
  ClickMouse(MOUSEEVENTF_RIGHTDOWN);
  ASSERT_TRUE(WaitUntil(aboutShown, 3s));
  Sleep(300);
  PressKey(VK_RETURN);
  ASSERT_TRUE(WaitUntil(aboutGone, 3s));
  EXPECT_TRUE(KeepsRunning(500ms));
  PressKey('X');
  EXPECT_TRUE(EndsCleanly());
}

TEST_F(Show, ASecondShowEndsAtOnceButRunsBesideAnAnnouncedPreview) {
  ASSERT_TRUE(StartShow());
  EXPECT_EQ(Process::StartSaver(L"/S").WaitExit(5s), 0u) << "a second show kept running";
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
