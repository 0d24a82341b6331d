// The saver inside the screen-saver settings dialog: the probe that reads the dialog's choice,
// on window trees of this process and on a hung dialog of another; the saver's list name from
// its file; and the preview drawing in a window tree laid out like the dialog's, inside the
// test's own process (under Wine one process's drawing does not reach another's window, so this
// is where the preview's pixels can be read).
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "../../tools/vorlux_settings_host.h"
#include "saver/list_name.win32.h"
#include "saver/preview.win32.h"
#include "saver/probe.win32.h"
#include "ui/forms.win32.h"
#include "ui/window_utils.win32.h"
#include "vorlux_test.h"

namespace vorlux::test {
namespace {

// A child window (visible) or a top-level one (never shown: other tests may be taking
// screenshots of the same display).
HWND NewWindow(const wchar_t* cls, const std::wstring& title, HWND parent,
               RECT r = {0, 0, 300, 200}, DWORD style = 0) {
  return CreateWindowW(cls, title.c_str(), (parent ? WS_CHILD | WS_VISIBLE : 0) | style, r.left,
                       r.top, r.right - r.left, r.bottom - r.top, parent, nullptr, nullptr,
                       nullptr);
}

// A drop-down list with the given items and current item (-1: none).
HWND NewList(HWND parent, const std::vector<std::wstring>& items, int current) {
  HWND list = NewWindow(L"ComboBox", L"", parent, {0, 0, 300, 200}, CBS_DROPDOWNLIST | WS_VSCROLL);
  for (const std::wstring& item : items)
    SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(current), 0);
  return list;
}

// A top-level dialog window, destroyed with everything in it at the end of the case.
struct Dialog {
  HWND window = NewWindow(L"Static", L"Display Properties", nullptr);
  ~Dialog() { DestroyWindow(window); }
  HWND Page(const std::wstring& title) { return NewWindow(L"#32770", title, window); }
};

const std::vector<std::wstring> kSavers = {L"(None)", L"Blank", L"Vorlux", L"Marquee"};

TEST(Probe, MatchesOnlyTheWholeCurrentItemOfAListOnTheScreenSaverPage) {
  const std::wstring longest = L"Vorlux" + std::wstring(kProbeMaxItemLength - 6, L'x');
  const struct {
    std::wstring page;  // empty: the list is the dialog's own
    std::vector<std::wstring> items;
    int current;
    std::wstring name;
    bool match;
  } cases[] = {
      {L"SCREEN SAVER", kSavers, 2, L"Vorlux", true},
      {L"Display: screen saver settings", {L"VORLUX"}, 0, L"Vorlux", true},
      {L"Screen Saver" + std::wstring(5000, L'-'), kSavers, 2, L"vorlux", true},
      {L"", kSavers, 2, L"Vorlux", true},
      {L"Screen Saver", {longest}, 0, longest, true},
      {L"Screen Saver", {longest + L"x"}, 0, longest + L"x", false},  // too long to be read
      {L"Screen Saver", kSavers, 3, L"Vorlux", false},
      {L"Screen Saver", kSavers, -1, L"Vorlux", false},
      {L"Screen Saver", {}, -1, L"Vorlux", false},
      {L"Screen Saver", {L"Vorlux 2"}, 0, L"Vorlux", false},
      {L"Screen Saver", {L"SSVorlux"}, 0, L"Vorlux", false},
      {L"Screen Saver", {L"Vor"}, 0, L"Vorlux", false},
      {L"Screen Saver", {L""}, 0, L"", false},
  };
  for (const auto& c : cases) {
    Dialog d;
    NewList(c.page.empty() ? d.window : d.Page(c.page), c.items, c.current);
    EXPECT_EQ(IsSaverSelected(d.window, c.name), c.match)
        << c.page.substr(0, 30) << ", " << c.current;
  }
}

TEST(Probe, SearchesEveryListDirectlyOnTheScreenSaverPageOnlyAndAnswersAnyHandle) {
  Dialog d;
  EXPECT_FALSE(IsSaverSelected(d.window, L"Vorlux")) << "no page, no list";
  NewList(d.Page(L"Appearance"), kSavers, 2);  // another page shows the name
  NewList(NewWindow(L"Static", L"Screen Saver", d.window), kSavers, 2);  // a page's title only
  const HWND page = d.Page(L"Screen Saver");
  NewList(d.window, kSavers, 2);  // with a page, the dialog's own list does not count
  NewList(NewWindow(L"Static", L"", page), kSavers, 2);  // nor one inside a control
  EXPECT_FALSE(IsSaverSelected(d.window, L"Vorlux"));
  NewList(page, {L"1 minute", L"10 minutes"}, 1);
  NewList(page, kSavers, 2);  // the second list of the page
  EXPECT_TRUE(IsSaverSelected(d.window, L"Vorlux") && IsSaverSelected(page, L"Vorlux"));
  // No window: the top-level windows are searched (the name is this process's own).
  const std::wstring name = L"Vorlux" + std::to_wstring(GetCurrentProcessId());
  const HWND topPage = NewWindow(L"#32770", L"Screen Saver", nullptr);
  NewList(topPage, {L"Blank", name}, 1);
  EXPECT_TRUE(IsSaverSelected(nullptr, name));
  DestroyWindow(topPage);
  for (HWND w : {HWND{}, topPage, HWND(0x12345678), HWND(-1), HWND_BROADCAST, HWND_MESSAGE,
                 GetDesktopWindow()})
    EXPECT_FALSE(IsSaverSelected(w, name)) << "handle " << w;
}

TEST(Probe, GivesUpOnAHungDialogOfAnotherProcessAfterOneWait) {
  Process p = Process::Start(BuildDir() + L"vorlux_settings_host.exe", L"--no-saver --hidden");
  HWND dialog = nullptr;
  const auto chosen = [&] { return IsSaverSelected(dialog, L"VORLUX"); };
  ASSERT_TRUE(
      WaitUntil([&] { return (dialog = FindWindowW(host::kHostClass, 0)) && chosen(); }, 10s))
      << "the settings host did not start";
  // One unanswered question ends the probe: not one wait per list or per message.
  PostMessageW(dialog, RegisterWindowMessageW(host::kHangMessage), kProbeReplyTimeoutMs + 2000, 0);
  Sleep(200);  // the host is now inside its hang
  const auto t0 = std::chrono::steady_clock::now();
  EXPECT_FALSE(IsSaverSelected(dialog, L"Vorlux"));
  EXPECT_LT(std::chrono::steady_clock::now() - t0, kProbeReplyTimeoutMs * 1ms + 1s);
  EXPECT_TRUE(WaitUntil(chosen, 10s));
  PostMessageW(dialog, WM_CLOSE, 0, 0);
  EXPECT_EQ(p.WaitExit(5s), 0u);
}

TEST(ListName, IsTakenFromTheLongFileNameEvenWhenTheProgramRunsUnderItsShortOne) {
  wchar_t dir[MAX_PATH] = {}, shortPath[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, dir);
  const std::wstring path = std::wstring(dir) + L"SSVorluxLongerName.scr";
  CloseHandle(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  const std::wstring shortName(shortPath, GetShortPathNameW(path.c_str(), shortPath, MAX_PATH));
  const std::wstring fromShort = ListNameOfPath(shortName);
  DeleteFileW(path.c_str());
  if (shortName.empty() || shortName == path) GTEST_SKIP() << "this file system has no short names";
  EXPECT_EQ(fromShort, L"VorluxLongerName") << "short path " << shortName;
}

constexpr int kW = 152, kH = 112;  // the dialog's preview window
constexpr uint32_t kRed = 0xFF0000, kGreen = 0x00FF00;

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
  HWND page = NewWindow(L"#32770", L"Screen Saver", dialog, {0, 0, 280, 300});
  HWND monitor = NewWindow(L"Static", L"", page, {20, 20, 260, 220});
  HWND window = NewWindow(L"Static", L"", monitor, {20, 20, 20 + kW, 20 + kH});
  HWND list = NewList(page, {L"(None)", L"Vorlux", L"Marquee"}, 1);
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
