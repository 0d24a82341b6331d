// The show on a display of two monitors: the 1024x768 primary and an 800x600 monitor on its left.
#include "ui/window_utils.win32.h"
#include "vorlux_test.h"

namespace vorlux::test {
namespace {

using Monitors = SaverTest;

constexpr RECT kPrimary{0, 0, 1024, 768}, kLeft{-800, 0, 0, 600};
constexpr POINT kLeftMiddle{-400, 300};
constexpr uint32_t kYellow = 0xFFFF00, kTeal = 0x008080;

// The show's window that covers exactly this area, top-most and borderless; nullptr for none.
HWND CoveredBy(const Process& saver, const RECT& area) {
  for (HWND w : saver.Windows())
    if (RECT r; GetWindowRect(w, &r) && EqualRect(&r, &area) &&
                GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_TOPMOST &&
                !(GetWindowLongW(w, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME)))
      return w;
  return nullptr;
}

bool BothCovered(const Process& s) { return CoveredBy(s, kPrimary) && CoveredBy(s, kLeft); }

// The window's DPI awareness as Windows 10 tells it (1 system, 2 per monitor; -1 unknown).
int AwarenessOf(HWND window) {
  const auto context =
      LoadSystemFunction<HANDLE(WINAPI*)(HWND)>(L"user32.dll", "GetWindowDpiAwarenessContext");
  const auto awareness = LoadSystemFunction<int(WINAPI*)(HANDLE)>(
      L"user32.dll", "GetAwarenessFromDpiAwarenessContext");
  return context && awareness ? awareness(context(window)) : -1;
}

void MoveTo(int x, int y) { SetCursorPos(x, y), Sleep(80); }

TEST_F(Monitors, EachHasItsOwnMirroredPictureOverItsOwnDesktopAndInputOnAnyEndsTheShow) {
  ASSERT_EQ(GetSystemMetrics(SM_CMONITORS), 2) << "the test display has two monitors";
  ASSERT_EQ(GetSystemMetrics(SM_XVIRTUALSCREEN), kLeft.left);
  // Placed on the left monitor before the start; it repaints while the test waits.
  ColouredWindow teal(RGB(0, 128, 128), RECT{-700, 100, -500, 220});
  const auto tealOnTheLeft = [&] {
    const Screenshot shot = Screenshot::CaptureRect(kLeft);
    return shot.CountOf(kTeal) > 200 * 120 / 2 && shot.CountOf(kYellow) > 50 &&
           WindowFromPoint({-600, 160}) == CoveredBy(saver_, kLeft);
  };
  ASSERT_TRUE(WaitUntil([] { return Screenshot::CaptureRect(kLeft).At(200, 160) == kTeal; }, 2s));
  ASSERT_TRUE(
      StartShow({{L"BlackScreen", L"0"}, {L"ColorRandom", L"0"}, {L"ColorFixed", L"255,255,0"}}));
  ASSERT_TRUE(WaitUntil([&] { return BothCovered(saver_); }, 2s));
  for (const RECT& area : {kPrimary, kLeft}) EXPECT_EQ(AwarenessOf(CoveredBy(saver_, area)), 2);
  EXPECT_TRUE(WaitUntil(tealOnTheLeft, 3s)) << "no lines over the left monitor's own desktop";
  Sleep(1500);
  for (const RECT& area : {kPrimary, kLeft}) {
    const Screenshot shot = Screenshot::CaptureRect(area);
    EXPECT_GT(shot.CountOf(kYellow), 500u) << area.left;
    EXPECT_GE(MirrorAgreement(shot, kYellow), 0.97)
        << "not mirrored about its centre: " << area.left;
  }
  MoveTo(kLeftMiddle.x, kLeftMiddle.y);
  EXPECT_FALSE(CursorVisible()) << "the pointer shows over the left monitor";
  // At the cycle's end both go black together, then both come back over fresh copies.
  const auto black = [](const RECT& area) {
    return Screenshot::CaptureRect(area).CountNot(0) < 480;
  };
  ASSERT_TRUE(WaitUntil([&] { return black(kPrimary) && black(kLeft); }, 47s));
  EXPECT_TRUE(WaitUntil(tealOnTheLeft, 4s)) << "the left monitor's desktop did not come back";
  EXPECT_TRUE(BothCovered(saver_));
  PressKey(VK_SHIFT);
  EXPECT_TRUE(EndsCleanly());

  // clang-format off
  const struct { const char* what; const wchar_t* mouseMove; bool ends;
                 std::function<void()> send; } cases[] = {
      {"a click on the left monitor", L"0", true, [] { ClickMouse(MOUSEEVENTF_LEFTDOWN); }},
      {"moves within 2 px over it", L"1", false, [] {
         for (auto [dx, dy] : {std::pair{2, 0}, {0, 2}, {-2, -2}, {2, -2}})
           MoveTo(kLeftMiddle.x + dx, kLeftMiddle.y + dy); }},
      {"a move of 3 px over it", L"1", true, [] { MoveTo(kLeftMiddle.x - 3, kLeftMiddle.y); }},
      {"a plain right click on it", L"0", false, [this] {
         ClickMouse(MOUSEEVENTF_RIGHTDOWN);
         HWND box = nullptr;
         ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(box = FindWindowW(nullptr, L"About")); },
                               3s));
         RECT r;
         GetWindowRect(box, &r);
         EXPECT_NEAR((r.left + r.right) / 2, kLeftMiddle.x, 1) << "not centred on the left monitor";
         EXPECT_NEAR((r.top + r.bottom) / 2, kLeftMiddle.y, 1);
         EXPECT_EQ(AwarenessOf(box), 1) << "the box keeps the system's DPI";
         EXPECT_TRUE(BothCovered(saver_) && Screenshot::CaptureRect(kLeft).CountOf(kYellow) > 50);
         PostMessageW(box, WM_CLOSE, 0, 0);
         ASSERT_TRUE(WaitUntil([] { return !FindWindowW(nullptr, L"About"); }, 3s)); }},
      {"WM_DISPLAYCHANGE", L"0", false, [this] {
         SendMessageW(CoveredBy(saver_, kPrimary), WM_DISPLAYCHANGE, 24, MAKELPARAM(1024, 768));
         Sleep(2000); }},
      // (WM_CLOSE takes the same way out; on the primary it is a case of the one-monitor test.)
      {"WM_ENDSESSION to the left window", L"0", true, [this] {
         PostMessageW(CoveredBy(saver_, kLeft), WM_ENDSESSION, TRUE, 0); }},
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    // The pointer waits on the left monitor: the show's mouse watch starts from there.
    SetCursorPos(kLeftMiddle.x, kLeftMiddle.y);
    ASSERT_TRUE(StartShow({{L"MouseMove", c.mouseMove}}));
    ASSERT_TRUE(WaitUntil([&] { return BothCovered(saver_); }, 2s));
    c.send();
    if (!c.ends) {
      EXPECT_TRUE(!saver_.WaitExit(500ms) && SaverRunningFlag() && BothCovered(saver_))
          << "the show goes on over both monitors with the saver-running flag on";
      PressKey(VK_SPACE);
    }
    EXPECT_TRUE(EndsCleanly());
  }
}

}  // namespace
}  // namespace vorlux::test
