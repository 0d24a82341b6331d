// The preview drawing in a window tree laid out like the settings dialog's, inside the test's
// own process: under Wine one process's drawing does not reach another's window, so this is
// where the preview's pixels can be read.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "saver/preview.win32.h"
#include "ui/forms.win32.h"
#include "ui/window_utils.win32.h"
#include "vorlux_test.h"

namespace vorlux::test {
namespace {

constexpr int kW = 152, kH = 112;  // the dialog's preview window
constexpr uint32_t kRed = 0xFF0000, kGreen = 0x00FF00;

HWND Child(const wchar_t* cls, HWND parent, int x, int y, int w, int h, DWORD style = 0,
           const wchar_t* title = L"") {
  return CreateWindowW(cls, title, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | style, x, y, w, h,
                       parent, nullptr, GetModuleHandleW(nullptr), nullptr);
}

// A dialog laid out as the settings dialog: page, monitor picture, the black preview window in it
// at (20, 20), and the list of savers with this one chosen. Top-most at the right: the left half
// of the screen stays free for what the preview copies.
struct HostLayout {
  HWND dialog = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"Static", L"Display Properties",
                                WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN,
                                GetSystemMetrics(SM_CXSCREEN) - 300, 40, 280, 300, 0, 0, 0, 0);
  HWND page = Child(L"#32770", dialog, 0, 0, 280, 300, 0, L"Screen Saver");
  HWND monitor = Child(L"Static", page, 20, 20, 240, 200);
  HWND preview = Child(L"VorluxTestBlack", monitor, 20, 20, kW, kH);
  HWND list = Child(L"ComboBox", page, 20, 220, 180, 100, CBS_DROPDOWNLIST);
  HostLayout() {
    for (const wchar_t* item : {L"(None)", L"Vorlux", L"Marquee"})
      SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    SendMessageW(list, CB_SETCURSEL, 1, 0);
    UpdateWindow(dialog);
    ProcessPendingMessages();
  }
  ~HostLayout() { DestroyWindow(dialog); }
};

// Pixels of the screen, 0x00RRGGBB, where the window is; the dialog is top-most.
Screenshot Shot(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return Screenshot::CaptureRect(r);
}
int Count(const Screenshot& p, uint32_t rgb, RECT r) {
  int n = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) n += p.At(x, y) == rgb;
  return n;
}

class PreviewInProcess : public ::testing::Test {
 protected:
  PreviewInProcess() {
    static const WNDCLASSW black{.lpfnWndProc = DefWindowProcW,
                                 .hInstance = GetModuleHandleW(nullptr),
                                 .hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)),
                                 .lpszClassName = L"VorluxTestBlack"};
    [[maybe_unused]] static const ATOM registered = RegisterClassW(&black);
    run.TwipsPerPixelX = ScreenTwipsPerPixelX();
    run.TwipsPerPixelY = ScreenTwipsPerPixelY();
    run.ClearToBlack = true;
    run.FixedColor = RGB(255, 0, 0);
  }
  std::wstring ActiveSetup() {
    return settings.Read(run.AppTitle, kSettingSection, kKeyActiveSetup, L"(none)");
  }
  void Start(HWND window, const wchar_t* listName = L"Vorlux") {
    preview = {.TargetWindow = window, .listName = listName};
    StartPreview(preview, saver);
  }
  // Engine calls until `calls` are made or the preview's own test fails; returns the number
  // made. `afterCall` runs after each call, before that test.
  int Animate(
      int calls, const std::function<void(int)>& afterCall = [](int) {}) {
    int made = 0;
    AnimatePreview(preview, saver, [&] {
      afterCall(++made);
      return PreviewGoesOn(preview) && made < calls;
    });
    return made;
  }

  RunState run{.AppTitle = std::wstring(kAppTitle)};
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
  HostLayout host;
  Start(host.preview, L"VORLUX");  // the list's letter case does not matter
  EXPECT_EQ(preview.HostDialog, host.dialog);
  EXPECT_EQ(animation.FrameDelay, 0.1f);
  ASSERT_EQ(WindowFromDC(preview.drawDC), host.preview);
  const std::wstring announced = std::to_wstring(reinterpret_cast<INT_PTR>(host.preview));
  EXPECT_EQ(ActiveSetup(), announced);
  // Figure 0 after each call (a call draws it, then moves it); the fifth takes the choice away.
  const FigureSet& f = animation.Figures;
  std::vector<RECT> seg;
  EXPECT_EQ(
      Animate(100,
              [&](int n) {
                seg.push_back({f.LineX1[0][0], f.LineY1[0][0], f.LineX2[0][0], f.LineY2[0][0]});
                if (n == 5) SendMessageW(host.list, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
              }),
      5);
  EXPECT_EQ(ActiveSetup(), announced) << "the announcement stays until the end";
  const Screenshot pixels = Shot(host.monitor);
  EndPreview(preview, saver);
  EXPECT_EQ(ActiveSetup(), L"0");
  for (size_t i = 1; i < seg.size(); ++i) {
    const RECT &a = seg[i - 1], &b = seg[i];
    const int d = b.left - a.left, mx = 20 + (a.left + a.right) / 2,
              my = 20 + (a.top + a.bottom) / 2;
    EXPECT_TRUE(std::abs(d) == 3 && b.top - a.top == d && b.right - a.right == d &&
                b.bottom - a.bottom == d)
        << "call " << i + 1 << " moves figure 0 by " << d;
    EXPECT_GT(Count(pixels, kRed, {mx - 1, my - 1, mx + 2, my + 2}), 0) << "drawn in call " << i;
  }
  // On black only lines and black, and nothing around the window.
  const RECT inside{20, 20, 20 + kW, 20 + kH};
  const int drawn = Count(pixels, kRed, inside);
  EXPECT_GT(drawn, 100);
  EXPECT_EQ(drawn + Count(pixels, 0, inside), kW * kH);
  EXPECT_EQ(pixels.CountOf(kRed), static_cast<size_t>(drawn));
}

TEST_F(PreviewInProcess, WithoutBlackTheFirstFrameOfEachCycleShowsTheStretchedScreen) {
  ColouredWindow green(RGB(0, 255, 0),
                       {0, 0, GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN)});
  HostLayout host;
  run.ClearToBlack = false;
  Start(host.preview);
  const int modeBefore = GetStretchBltMode(preview.drawDC);
  // The left half of the screen is green, so is the left half of the preview.
  const RECT left{2, 2, kW / 2 - 2, kH - 2}, right{kW / 2 + 2, 2, kW - 2, kH - 2};
  const int leftArea = (left.right - left.left) * (left.bottom - left.top);
  auto greenLeft = [&] { return Count(Shot(host.preview), kGreen, left); };
  EXPECT_EQ(Animate(1), 1);
  const Screenshot first = Shot(host.preview);
  EXPECT_GT(Count(first, kGreen, left), leftArea * 9 / 10);
  EXPECT_LT(Count(first, kGreen, right), leftArea / 20);
  EXPECT_GT(first.CountOf(kRed), 0u) << "the frame is drawn over the picture";
  EXPECT_EQ(GetStretchBltMode(preview.drawDC), modeBefore) << "the stretch mode is put back";

  // Later calls paint nothing behind the lines; the end of a cycle (its erase phase has run its
  // time out) brings the screen back, unless black was chosen meanwhile.
  PatBlt(preview.drawDC, 0, 0, kW, kH, BLACKNESS);
  EXPECT_EQ(Animate(1), 1);
  EXPECT_EQ(greenLeft(), 0);
  for (const bool black : {false, true}) {
    run.ClearToBlack = black;
    animation.EnginePhase = kPhaseErase;
    animation.PhaseStartTime = -1000.0f;
    EXPECT_EQ(Animate(1), 1);
    EXPECT_NE(animation.EnginePhase, kPhaseErase) << "the cycle has ended";
    EXPECT_EQ(greenLeft() > leftArea * 9 / 10, !black) << (black ? "black" : "screen");
  }
  EndPreview(preview, saver);
}

TEST_F(PreviewInProcess, HandlesThatAreNoPreviewWindowDrawNothingAndEndAfterOneCall) {
  const HWND gone = CreateWindowW(L"Static", L"", WS_POPUP, 0, 0, 9, 9, 0, 0, 0, 0);
  const HWND desktop = GetDesktopWindow();
  DestroyWindow(gone);
  for (const bool black : {true, false}) {
    for (HWND w : {HWND{}, reinterpret_cast<HWND>(12345), gone, reinterpret_cast<HWND>(-1),
                   HWND_BROADCAST, HWND_MESSAGE, desktop,
                   reinterpret_cast<HWND>(reinterpret_cast<UINT_PTR>(desktop) & 0xFFFF)}) {
      SCOPED_TRACE(testing::Message() << "handle " << w << (black ? ", black" : ", desktop"));
      run.ClearToBlack = black;
      animation = AnimationState{};
      Start(w);
      EXPECT_EQ(preview.drawDC, nullptr) << "a device context that is no preview window's";
      EXPECT_EQ(Animate(100), 1);
      EndPreview(preview, saver);
      EXPECT_EQ(graphics.CurrentPen.Get(), nullptr) << "the pens are gone";
    }
  }
}

}  // namespace
}  // namespace vorlux::test
