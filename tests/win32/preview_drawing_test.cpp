// The preview drawing in a window tree laid out like the settings dialog's, inside the test's
// own process: under Wine one process's drawing does not reach another's window, so this is
// where the preview's pixels can be read.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <vector>

#include "saver/preview.win32.h"
#include "ui/forms.win32.h"
#include "ui/window_utils.win32.h"
#include "vorlux_test.h"

namespace vorlux::test {
namespace {

constexpr int kW = 152, kH = 112;  // the dialog's preview window
constexpr uint32_t kRed = 0xFF0000, kGreen = 0x00FF00;

HWND Child(const wchar_t* cls, HWND parent, RECT r, const wchar_t* title = L"", DWORD style = 0) {
  return CreateWindowW(cls, title, WS_CHILD | WS_VISIBLE | style, r.left, r.top, r.right - r.left,
                       r.bottom - r.top, parent, nullptr, nullptr, nullptr);
}

// Pixels of this colour (0x00RRGGBB) on the screen in a part of the window; the dialog is
// top-most.
size_t Pixels(HWND window, uint32_t rgb, RECT part = {0, 0, kW, kH}) {
  RECT r{};
  GetWindowRect(window, &r);
  OffsetRect(&part, r.left, r.top);
  return Screenshot::CaptureRect(part).CountOf(rgb);
}

// A dialog laid out as the settings dialog: page, monitor picture, the preview window in it at
// (20, 20), painted black, and the list of savers with this one chosen. Top-most at the right:
// the left half of the screen stays free for what the preview copies. With the process's state
// for the preview.
class PreviewInProcess : public ::testing::Test {
 protected:
  PreviewInProcess() {
    for (const wchar_t* item : {L"(None)", L"Vorlux", L"Marquee"})
      SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    SendMessageW(list, CB_SETCURSEL, 1, 0);
    ProcessPendingMessages();
    HDC dc = GetDC(window);
    PatBlt(dc, 0, 0, kW, kH, BLACKNESS);
    ReleaseDC(window, dc);
  }
  ~PreviewInProcess() { DestroyWindow(dialog); }
  void Start(HWND target) {
    preview = {.TargetWindow = target, .listName = L"VORLUX"};  // the case does not matter
    StartPreview(preview, saver);
  }
  // Engine calls until `calls` are made or the preview's own test fails; returns the number
  // made. `afterCall` runs after each call, before that test.
  int Run(
      int calls, const std::function<void(int)>& afterCall = [](int) {}) {
    int made = 0;
    AnimatePreview(preview, saver, [&] {
      afterCall(++made);
      return PreviewGoesOn(preview) && made < calls;
    });
    return made;
  }

  HWND dialog = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"Static", L"Display Properties",
                                WS_POPUP | WS_VISIBLE, GetSystemMetrics(SM_CXSCREEN) - 300, 40, 280,
                                300, 0, 0, 0, 0);
  HWND page = Child(L"#32770", dialog, {0, 0, 280, 300}, L"Screen Saver");
  HWND monitor = Child(L"Static", page, {20, 20, 260, 220});
  HWND window = Child(L"Static", monitor, {20, 20, 20 + kW, 20 + kH});
  HWND list = Child(L"ComboBox", page, {20, 220, 200, 320}, L"", CBS_DROPDOWNLIST);
  RunState run{.TwipsPerPixelX = ScreenTwipsPerPixelX(),
               .TwipsPerPixelY = ScreenTwipsPerPixelY(),
               .ClearToBlack = true,
               .FixedColor = RGB(255, 0, 0)};
  MemorySettingsStore settings;
  UniformRandom random;
  AnimationState animation;
  GraphicsState graphics;
  InputWatchState watch;
  fabout about;
  SaverState saver{run, settings, random, animation, graphics, watch, about};
  PreviewState preview;
};

TEST_F(PreviewInProcess, DrawsInItsWindowOnlyMovingByThreeAndEndsInTheCallThatChangedTheDialog) {
  // The start of figure 0 after each call (a call draws it, then moves it); the fifth call takes
  // the saver's choice away.
  std::vector<POINT> starts;
  Start(window);
  EXPECT_EQ(
      Run(100,
          [&](int n) {
            starts.push_back({animation.Figures.LineX1[0][0], animation.Figures.LineY1[0][0]});
            if (n == 5) SendMessageW(list, CB_SETCURSEL, WPARAM(-1), 0);
          }),
      5);
  EXPECT_TRUE(preview.HostDialog == dialog && animation.FrameDelay == 0.1f);
  EXPECT_EQ(WindowFromDC(preview.drawDC), window);
  EndPreview(preview, saver);
  for (size_t i = 1; i < starts.size(); ++i) {
    const POINT a = starts[i - 1], b = starts[i];
    EXPECT_TRUE(std::abs(b.x - a.x) == 3 && b.y - a.y == b.x - a.x) << "moved in call " << i + 1;
    EXPECT_GT(Pixels(window, kRed, {a.x - 1, a.y - 1, a.x + 2, a.y + 2}), 0u) << "drawn there";
  }
  // On black only lines and black, and nothing around the window.
  const size_t drawn = Pixels(window, kRed);
  EXPECT_GT(drawn, 100u);
  EXPECT_EQ(drawn + Pixels(window, 0), size_t(kW * kH));
  EXPECT_EQ(Pixels(monitor, kRed, {0, 0, 240, 200}), drawn);
}

TEST_F(PreviewInProcess, WithoutBlackTheFirstFrameOfEachCycleShowsTheStretchedScreen) {
  const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
  ColouredWindow green(RGB(0, 255, 0), {0, 0, sw / 2, sh});
  run.ClearToBlack = false;
  // The left half of the screen is green, so is the left half of the preview.
  const RECT left{2, 2, kW / 2 - 2, kH - 2}, right{kW / 2 + 2, 2, kW - 2, kH - 2};
  const size_t leftArea = (kW / 2 - 4) * (kH - 4);
  auto greenLeft = [&] { return Pixels(window, kGreen, left) > leftArea * 9 / 10; };
  Start(window);
  const int modeBefore = GetStretchBltMode(preview.drawDC);
  EXPECT_EQ(Run(1), 1);
  EXPECT_TRUE(greenLeft());
  EXPECT_LT(Pixels(window, kGreen, right), leftArea / 20);
  EXPECT_GT(Pixels(window, kRed), 0u) << "the frame is drawn over the picture";
  EXPECT_EQ(GetStretchBltMode(preview.drawDC), modeBefore) << "the stretch mode is put back";
  // Later calls paint nothing behind the lines; the end of a cycle (its erase phase has run its
  // time out) brings the screen back, unless black was chosen meanwhile.
  PatBlt(preview.drawDC, 0, 0, kW, kH, BLACKNESS);
  EXPECT_EQ(Run(1), 1);
  EXPECT_FALSE(greenLeft());
  for (const bool black : {false, true}) {
    run.ClearToBlack = black;
    animation.EnginePhase = kPhaseErase;
    animation.PhaseStartTime = -1000.0f;
    EXPECT_EQ(Run(1), 1);
    EXPECT_NE(animation.EnginePhase, kPhaseErase) << "the cycle has ended";
    EXPECT_EQ(greenLeft(), !black) << (black ? "black" : "screen");
  }
  EndPreview(preview, saver);
}

TEST_F(PreviewInProcess, HandlesThatAreNoPreviewWindowDrawNothingAndEndAfterOneCall) {
  const HWND desktop = GetDesktopWindow();
  DestroyWindow(window);
  for (HWND w : {window, HWND(12345), HWND(-1), HWND_BROADCAST, HWND_MESSAGE, desktop,
                 HWND(UINT_PTR(desktop) & 0xFFFF)}) {
    animation = AnimationState{};
    Start(w);
    EXPECT_EQ(Run(100), 1);
    EXPECT_EQ(preview.drawDC, nullptr) << "a device context that is no preview window's: " << w;
    EndPreview(preview, saver);
    EXPECT_EQ(graphics.CurrentPen.Get(), nullptr) << "the pens are gone";
  }
}

}  // namespace
}  // namespace vorlux::test
