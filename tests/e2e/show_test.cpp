// The full-screen show and its input watch, watched from outside.
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

// A plain right click opens the About box, a press on a link there opens the link (a recorder
// stands in for mail program and browser; with mail false none opens mail).
void AboutLink(const wchar_t* link, DWORD button, bool mail, const char* recorded) {
  UseLinkRecorder(mail);
  ClickMouse(MOUSEEVENTF_RIGHTDOWN);
  FollowAboutLink(link, button, recorded);
}

// The first move already counts from where the pointer was when the show appeared.
void MovesWithinTwoPixels() {
  for (auto [dx, dy] : {std::pair{2, 0}, {0, 2}, {-2, -2}, {2, -2}, {1, 1}, {0, 0}}) MoveBy(dx, dy);
}

// A plain right click opens the About box for about ten seconds, with the pointer showing.
void AboutBoxForTenSeconds() {
  ClickMouse(MOUSEEVENTF_RIGHTDOWN);
  // The box exists, hidden, before it is filled and shown: wait for it on the screen.
  ASSERT_TRUE(WaitUntil([] { return IsWindowVisible(FindWindowW(nullptr, L"About")); }, 3s));
  const auto opened = GetTickCount64();
  EXPECT_TRUE(CursorVisible()) << "the pointer shows while the box is open";
  // It closes by itself; the show goes on with the cursor hidden.
  ASSERT_TRUE(WaitUntil([] { return !FindWindowW(nullptr, L"About"); }, 14s));
  EXPECT_NEAR(static_cast<double>(GetTickCount64() - opened), 10'500, 2000);
  EXPECT_TRUE(WaitUntil([] { return !CursorVisible(); }, 2s));
}

TEST_F(Show, EndsOnEachKeyClickOrAboutLinkNotOnAPlainRightClickAndOnMovesOnlyWhenEnabledBeyond2Px) {
  // clang-format off
  const struct { const char* what; const wchar_t* mouseMove /* the setting */; bool ends;
                 std::function<void()> send; } cases[] = {
      {"Shift alone",         L"0", true,  [] { PressKey(VK_SHIFT); }},
      {"Alt alone",           L"0", true,  [] { PressKey(VK_MENU); }},
      {"a letter",            L"0", true,  [] { PressKey('K'); }},
      {"a left click",        L"0", true,  [] { ClickMouse(MOUSEEVENTF_LEFTDOWN); }},
      {"a middle click",      L"0", true,  [] { ClickMouse(MOUSEEVENTF_MIDDLEDOWN); }},
      {"Shift + right click", L"0", true,  [] { ClickMouse(MOUSEEVENTF_RIGHTDOWN, {VK_SHIFT}); }},
      {"moves within 2 px",   L"1", false, [] { MovesWithinTwoPixels(); }},
      {"then 3 px up",        L"1", true,  [] { MovesWithinTwoPixels(); MoveBy(0, -3); }},
      {"a first move of 3 px", L"1", true, [] { MoveBy(3, 0); }},
      // Closed from outside (End task): it ends as on a key, and the next show starts.
      {"WM_CLOSE",            L"0", true,  [this] { PostMessageW(ShowHwnd(), WM_CLOSE, 0, 0); }},
      {"long move, no watch", L"0", false, [] {
         for (int i = 1; i <= 10; ++i) MoveBy(i * 30, i * 20); }},
      // A link ends the show too, with nothing to open it or no message box.
      {"the mail link, left", L"0", true, [] { AboutLink(L"vorlux@example.org",
         MOUSEEVENTF_LEFTDOWN, true, "mailto:vorlux@example.org\n"); }},
      {"the web link, right", L"0", true, [] { AboutLink(L"https://www.example.org/vorlux/",
         MOUSEEVENTF_RIGHTDOWN, true, "https://www.example.org/vorlux/\n"); }},
      {"no mail program",     L"0", true, [] { AboutLink(L"vorlux@example.org",
         MOUSEEVENTF_MIDDLEDOWN, false, ""); }},
      // A second show ends at once (one beside an announced preview: see preview_test.cpp).
      {"a second show",       L"0", false, [] {
         EXPECT_EQ(Process::StartSaver(L"/S").WaitExit(5s), 0u) << "the second show ran"; }},
      {"a plain right click", L"0", false, AboutBoxForTenSeconds},
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(StartShow({{L"MouseMove", c.mouseMove}}));
    c.send();
    if (!c.ends) {
      EXPECT_TRUE(!saver_.WaitExit(500ms) && SaverRunningFlag() && saver_.Windows().size() == 1)
          << "the show goes on alone with the saver-running flag on";
      PressKey(VK_SPACE);
    }
    EXPECT_TRUE(EndsCleanly());
  }
}

}  // namespace
}  // namespace vorlux::test
