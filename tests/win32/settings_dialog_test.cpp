// The saver inside the screen-saver settings dialog: the probe that reads the dialog's choice,
// on window trees of this process, one of them built by a thread that stops answering; and the
// preview drawing in a window tree laid out like the
// dialog's, inside the test's own process (under Wine one process's drawing does not reach
// another's window, so this is where the preview's pixels can be read).
#include <atomic>
#include <cstdlib>

#include "saver/preview.win32.h"
#include "saver/probe.win32.h"
#include "ui/message_loop.win32.h"
#include "ui/screen_units.win32.h"
#include "vorlux_test.h"

namespace vorlux::test {
namespace {

using Items = std::vector<std::wstring>;
const Items kSavers = {L"(None)", L"Blank", L"Vorlux", L"Marquee"};

// A child window (visible), or a top-level one (never shown: other tests may be taking
// screenshots of the same display).
HWND NewWindow(const wchar_t* cls, const std::wstring& text, HWND parent, RECT r = {0, 0, 99, 99}) {
  return CreateWindowW(cls, text.c_str(), parent ? WS_CHILD | WS_VISIBLE : 0, r.left, r.top,
                       r.right - r.left, r.bottom - r.top, parent, 0, 0, 0);
}

// A combo box with the given items and current item (-1: none).
HWND NewList(HWND parent, const Items& items, int current) {
  HWND list = NewWindow(L"ComboBox", L"", parent);
  for (const std::wstring& item : items) SendMessageW(list, CB_ADDSTRING, 0, LPARAM(item.c_str()));
  SendMessageW(list, CB_SETCURSEL, WPARAM(current), 0);
  return list;
}

TEST(Probe, MatchesTheWholeCurrentItemOfListsDirectlyOnTheScreenSaverPageForAnyHandle) {
  const std::wstring longest = L"Vorlux" + std::wstring(kProbeMaxItemLength - 6, L'x');
  const std::wstring ss = L"Screen Saver";
  // clang-format off
  const struct { std::wstring page; Items items; int current; std::wstring name; bool match; }
  cases[] = {
      {L"Display: SCREEN SAVER settings",        {L"VORLUX"},        0,  L"Vorlux",        true},
      {ss + std::wstring(5000, L'-'),            kSavers,            2,  L"vorlux",        true},
      {L"",  /* the dialog's own list */         kSavers,            2,  L"Vorlux",        true},
      {ss,                                       {longest},          0,  longest,          true},
      {ss,   /* too long to be read */           {longest + L"x"},   0,  longest + L"x",   false},
      {ss,                                       kSavers,            3,  L"Vorlux",        false},
      {ss,                                       {L"Vorlux 2"},      0,  L"Vorlux",        false},
  };
  // clang-format on
  for (const auto& c : cases) {
    const HWND dialog = NewWindow(L"Static", L"", nullptr);
    NewList(c.page.empty() ? dialog : NewWindow(L"#32770", c.page, dialog), c.items, c.current);
    EXPECT_EQ(IsSaverSelected(dialog, c.name), c.match) << "case " << &c - cases;
    DestroyWindow(dialog);
  }
  // Every list directly on the page counts, and only those.
  const HWND dialog = NewWindow(L"Static", L"", nullptr);
  NewList(NewWindow(L"#32770", L"Appearance", dialog), kSavers, 2);  // another page shows the name
  NewList(NewWindow(L"Static", L"Screen Saver", dialog), kSavers, 2);  // a page's title only
  const HWND page = NewWindow(L"#32770", L"Screen Saver", dialog);
  NewList(dialog, kSavers, 2);  // with a page, the dialog's own list does not count
  NewList(NewWindow(L"Static", L"", page), kSavers, 2);  // nor one inside a control
  EXPECT_FALSE(IsSaverSelected(dialog, L"Vorlux"));
  NewList(page, {L"1 minute", L"10 minutes"}, 1);
  NewList(page, kSavers, 2);  // the second list of the page
  EXPECT_TRUE(IsSaverSelected(dialog, L"Vorlux") && IsSaverSelected(page, L"Vorlux"));
  DestroyWindow(dialog);
  for (HWND w :
       {dialog, HWND(0x12345678), HWND(-1), HWND_BROADCAST, HWND_MESSAGE, GetDesktopWindow()})
    EXPECT_FALSE(IsSaverSelected(w, L"Vorlux")) << "handle " << w;
}

TEST(Probe, GivesUpOnAHungDialogAfterOneWait) {
  // A dialog whose thread stops answering once it has built it, with two lists of its own. (Not
  // on a page: this process would ask a page of its own for its title without a time limit.)
  std::atomic<HWND> dialog = nullptr;
  std::function<void()> run = [&] {
    const HWND d = NewWindow(L"Static", L"", nullptr);
    for (int i = 0; i < 2; ++i) NewList(d, kSavers, 2);
    dialog = d;
    Sleep(kProbeReplyTimeoutMs + 1500);
    DestroyWindow(d);
  };
  const HANDLE hung = StartThread(run);
  while (!dialog) Sleep(10);
  const auto t0 = std::chrono::steady_clock::now();
  EXPECT_FALSE(IsSaverSelected(dialog, L"Vorlux"));
  EXPECT_LT(std::chrono::steady_clock::now() - t0, kProbeReplyTimeoutMs * 1ms + 1s)
      << "one unanswered question ends the probe: not one wait per question or per list";
  Join(hung);
}

constexpr int kW = 152, kH = 112;  // the dialog's preview window
constexpr uint32_t kRed = 0xFF0000, kGreen = 0x00FF00;

// A dialog laid out as the settings dialog: page, monitor picture, the preview window in it at
// (20, 20), painted black, and the list of savers with this one chosen. Top-most at the right:
// the left half of the screen stays free for what the preview copies. With the process's state
// for the preview, started in that window.
class PreviewInProcess : public ::testing::Test {
 protected:
  PreviewInProcess() {
    run.TwipsPerPixelX = ScreenTwipsPerPixelX(), run.TwipsPerPixelY = ScreenTwipsPerPixelY();
    run.ClearToBlack = true, run.FixedColor = RGB(255, 0, 0);
    ProcessPendingMessages();
    Start(window);
    PatBlt(preview.drawDC, 0, 0, kW, kH, BLACKNESS);
  }
  ~PreviewInProcess() { DestroyWindow(dialog); }
  // Pixels of this colour (0x00RRGGBB) on the screen in a part of the preview window.
  size_t Pixels(uint32_t rgb, RECT part = {0, 0, kW, kH}) {
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&part), 2);
    return Screenshot::CaptureRect(part).CountOf(rgb);
  }
  void Start(HWND target) {
    preview = {.TargetWindow = target, .listName = L"VORLUX"};  // the case does not matter
    StartPreview(preview, saver);
  }
  // Engine calls until `calls` are made or the preview's own test fails; returns the number
  // made. Notes the start of figure 0 after each call (a call draws it, then moves it); call
  // `unchooseAt` takes the saver's choice away before the test.
  int Run(int calls, int unchooseAt = 0) {
    int made = 0;
    AnimatePreview(preview, saver, [&] {
      starts.push_back({animation.Figures.LineX1[0][0], animation.Figures.LineY1[0][0]});
      if (++made == unchooseAt) SendMessageW(list, CB_SETCURSEL, WPARAM(-1), 0);
      return PreviewGoesOn(preview) && made < calls;
    });
    return made;
  }

  HWND dialog = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"Static", L"Display Properties",
                                WS_POPUP | WS_VISIBLE, GetSystemMetrics(SM_CXSCREEN) - 300, 40, 280,
                                300, 0, 0, 0, 0);
  HWND page = NewWindow(L"#32770", L"Screen Saver", dialog, {0, 0, 280, 300});
  HWND monitor = NewWindow(L"Static", L"", page, {20, 20, 260, 220});
  HWND window = NewWindow(L"Static", L"", monitor, {20, 20, 20 + kW, 20 + kH});
  HWND list = NewList(page, {L"(None)", L"Vorlux", L"Marquee"}, 1);
  MemorySettingsStore settings;
  SaverProcess process{settings};
  RunState& run = process.run;
  AnimationState& animation = process.animation;
  SaverState& saver = process.state;
  PreviewState preview;
  std::vector<POINT> starts;
};

TEST_F(PreviewInProcess, DrawsInItsWindowOnlyMovingByThreeUntilTheDialogChangesAndNowhereElse) {
  EXPECT_EQ(Run(100, 5), 5);
  EXPECT_TRUE(preview.HostDialog == dialog && animation.Figures.CenterX == kW / 2 &&
              animation.Figures.CenterY == kH / 2);
  EndPreview(preview, saver);
  for (size_t i = 1; i < starts.size(); ++i) {
    const POINT a = starts[i - 1], b = starts[i];
    EXPECT_TRUE(std::abs(b.x - a.x) == 3 && b.y - a.y == b.x - a.x) << "moved in call " << i + 1;
    EXPECT_GT(Pixels(kRed, {a.x - 1, a.y - 1, a.x + 2, a.y + 2}), 0u) << "drawn there";
  }
  // On black only lines and black, and nothing around the window.
  const size_t drawn = Pixels(kRed);
  EXPECT_TRUE(drawn > 100 && drawn + Pixels(0) == size_t(kW * kH)) << drawn;
  EXPECT_EQ(Pixels(kRed, {-20, -20, 220, 180}), drawn);
  // Handles that are no preview window: nothing drawn, on the desktop least of all.
  DestroyWindow(window);
  for (HWND w : {window, HWND(12345), HWND(-1), HWND_BROADCAST, HWND_MESSAGE, GetDesktopWindow(),
                 HWND(UINT_PTR(GetDesktopWindow()) & 0xFFFF)}) {
    Start(w);
    const bool drew = Run(100) != 1 || preview.drawDC;
    EndPreview(preview, saver);
    EXPECT_FALSE(drew || process.graphics.CurrentPen.Get())
        << "a device context or pens are left: " << w;
  }
}

TEST_F(PreviewInProcess, WithoutBlackTheFirstFrameOfEachCycleShowsTheStretchedScreen) {
  ColouredWindow green(RGB(0, 255, 0),
                       {0, 0, GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN)});
  run.ClearToBlack = false;
  // The left half of the screen is green, so is the left half of the preview.
  const RECT left{2, 2, kW / 2 - 2, kH - 2}, right{kW / 2 + 2, 2, kW - 2, kH - 2};
  const size_t leftArea = (kW / 2 - 4) * (kH - 4);
  auto greenLeft = [&] { return Pixels(kGreen, left) > leftArea * 9 / 10; };
  Run(1);
  EXPECT_TRUE(greenLeft() && Pixels(kGreen, right) < leftArea / 20 && Pixels(kRed) > 0)
      << "the screen stretched, and the frame drawn over it";
  // Later calls paint nothing behind the lines; the end of a cycle (its erase phase has run its
  // time out) brings the screen back, unless black was chosen meanwhile.
  PatBlt(preview.drawDC, 0, 0, kW, kH, BLACKNESS);
  Run(1);
  EXPECT_FALSE(greenLeft());
  for (const bool black : {false, true}) {
    run.ClearToBlack = black;
    animation.EnginePhase = kPhaseErase;
    animation.PhaseStartTime = -1000.0f;
    Run(1);
    EXPECT_TRUE(animation.EnginePhase != kPhaseErase && greenLeft() == !black)
        << "the cycle has ended, " << (black ? "black" : "screen");
  }
  // The window destroyed during the second's pause at a cycle's end: the call returns at once.
  animation.EnginePhase = kPhaseErase;
  animation.PhaseStartTime = -1000.0f;
  SetTimer(window, 1, 200, [](HWND w, UINT, UINT_PTR, DWORD) WINAPI { DestroyWindow(w); });
  const double start = MonotonicSeconds();
  Run(1);
  EXPECT_LT(MonotonicSeconds() - start, 0.5);
  EndPreview(preview, saver);
}

}  // namespace
}  // namespace vorlux::test
