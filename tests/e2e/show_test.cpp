// The full-screen show and its input watch, watched from outside.
#include <gtest/gtest.h>

#include <functional>

#include "vorlux_test.h"

namespace vorlux::test {
namespace {

using Show = SaverTest;

// Moves the pointer to (dx, dy) from the middle of the screen, where the show found it, to the
// exact pixel (see ClickMouse).
void MoveBy(int dx, int dy) {
  SetCursorPos(GetSystemMetrics(SM_CXSCREEN) / 2 + dx, GetSystemMetrics(SM_CYSCREEN) / 2 + dy);
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
    bool ends;
    std::function<void()> send;
  };
  // clang-format off
  const Case cases[] = {
      {"Shift alone",         L"0", true,  [] { PressKey(VK_SHIFT); }},
      {"Ctrl alone",          L"0", true,  [] { PressKey(VK_CONTROL); }},
      {"Alt alone",           L"0", true,  [] { PressKey(VK_MENU); }},
      {"a letter",            L"0", true,  [] { PressKey('K'); }},
      {"a left click",        L"0", true,  [] { ClickMouse(MOUSEEVENTF_LEFTDOWN); }},
      {"a middle click",      L"0", true,  [] { ClickMouse(MOUSEEVENTF_MIDDLEDOWN); }},
      {"Shift + right click", L"0", true,  [] { ClickMouse(MOUSEEVENTF_RIGHTDOWN, {VK_SHIFT}); }},
      {"Ctrl + right click",  L"0", true,  [] { ClickMouse(MOUSEEVENTF_RIGHTDOWN, {VK_CONTROL}); }},
      {"moves within 2 px",   L"1", false, [] { MovesWithinTwoPixels(); }},
      {"then 3 px right",     L"1", true,  [] { MovesWithinTwoPixels(); MoveBy(3, 0); }},
      {"then 3 px up",        L"1", true,  [] { MovesWithinTwoPixels(); MoveBy(0, -3); }},
      {"long move, no watch", L"0", false, [] {
         for (int i = 1; i <= 10; ++i) MoveBy(i * 30, i * 20); }},
      // The system's request to start a screen saver changes nothing.
      {"SC_SCREENSAVE",       L"0", false, [this] {
         SendMessageW(ShowHwnd(), WM_SYSCOMMAND, SC_SCREENSAVE, 0);
         PostMessageW(ShowHwnd(), WM_SYSCOMMAND, SC_SCREENSAVE, 0); }},
      // A second show ends at once (one beside an announced preview: see preview_test.cpp).
      {"a second show",       L"0", false, [] {
         EXPECT_EQ(Process::StartSaver(L"/S").WaitExit(5s), 0u) << "the second show ran"; }},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(StartShow({{L"MouseMove", c.mouseMove}}));
    c.send();
    if (!c.ends) {
      EXPECT_TRUE(KeepsRunning(500ms) && SaverRunningFlag() && saver_.Windows().size() == 1)
          << "the show goes on alone with the saver-running flag on";
      PressKey(VK_SPACE);
    }
    EXPECT_TRUE(EndsCleanly());
  }
}

// Whether any window below this one, at any depth, has a text that contains the given one.
bool ChildWithText(HWND window, std::wstring_view text) {
  for (HWND child = nullptr; (child = FindWindowExW(window, child, nullptr, nullptr));)
    if (WindowTextOf(child).find(text) != std::wstring::npos || ChildWithText(child, text))
      return true;
  return false;
}

TEST_F(Show, APlainRightClickOpensTheAboutBoxForTenSecondsAndTheShowGoesOn) {
  ASSERT_TRUE(StartShow());
  // The box exists, hidden, before it is filled and shown: wait for it on the screen.
  const auto openAbout = [] {
    ClickMouse(MOUSEEVENTF_RIGHTDOWN);
    return WaitUntil([] { return IsWindowVisible(FindWindowW(nullptr, L"About")); }, 3s);
  };
  const auto aboutGone = [] { return !FindWindowW(nullptr, L"About"); };
  ASSERT_TRUE(openAbout());
  const auto opened = GetTickCount64();
  HWND about = FindWindowW(nullptr, L"About");
  EXPECT_TRUE(GetWindowLongW(about, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_TRUE(CursorVisible()) << "the pointer shows while the box is open";
  EXPECT_TRUE(ChildWithText(about, L"Vorlux Screen Saver  \u2013  version 3.2.13"));
  // It closes by itself after about 10 seconds; the show goes on with the cursor hidden.
  ASSERT_TRUE(WaitUntil(aboutGone, 14s));
  EXPECT_NEAR(static_cast<double>(GetTickCount64() - opened), 10'500, 2000);
  EXPECT_TRUE(WaitUntil([] { return !CursorVisible(); }, 2s) && saver_.Running());

  // Again, closed with OK this time (Enter); then a key still ends the show.
  ASSERT_TRUE(openAbout());
  Sleep(300);
  PressKey(VK_RETURN);
  ASSERT_TRUE(WaitUntil(aboutGone, 3s));
  EXPECT_TRUE(KeepsRunning(500ms));
  PressKey('X');
  EXPECT_TRUE(EndsCleanly());
}

}  // namespace
}  // namespace vorlux::test
